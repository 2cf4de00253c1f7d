#pragma once
#include <string>
#include <vector>

// Process-wide state of the run: set by the command line and read by the
// workspace, the JVM search and the launch.
struct RunState {
    std::string launcherFileName;                   // the running launcher file
    std::string originalLauncherFileName;           // "-vd:orig", else the launcher file
    bool selfRemoval = false;                       // remove the launcher file at exit
    std::vector<std::string> launcherArguments;     // every argument, for nested launchers
    std::vector<std::string> applicationArguments;  // passed on to the Java program
    bool javaConsole = false;
    std::string javaHomeOption;
    std::string classpathPrefix;
    std::string classpathSuffix;
    // Standard error of the last Java launch; shown when the run failed.
    std::string failureMessage;
};

RunState& runState();

const std::string& launcherFileName();
const std::string& originalLauncherFileName();
// Everything before the last slash or backslash of originalLauncherFileName.
std::string launcherDir();
