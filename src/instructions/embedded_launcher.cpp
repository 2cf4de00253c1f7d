#include "instructions/embedded_launcher.h"

#include "base/log.h"
#include "base/run_state.h"
#include "launch/process_runner.h"
#include "launch/quoted_argument.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"
#include "platform/paths.h"

namespace {

bool takesValue(const std::string& option) {
    return option == "-vd:log" || option == "-vd:orig" || option == "-vd:tempdir" ||
           option == "-vd:javahome" || option == "-vd:in" || option == "-cp:p" || option == "-cp:a";
}

// The values of these options name files and directories.  A classpath part
// is not one of them: the Java program reads it from the launcher's
// directory.
bool takesPath(const std::string& option) {
    return takesValue(option) && option != "-cp:p" && option != "-cp:a";
}

// The path made absolute; a leading double quote, which "-vd:in" drops,
// stays in front.
std::string absoluteValue(const std::string& value) {
    if (!value.empty() && value[0] == '"') {
        return '"' + platform::absolutePath(value.substr(1));
    }
    return platform::absolutePath(value);
}

// The arguments with every path made absolute here: the nested launcher
// works in a directory of its own.  Values are found as the option loop
// finds them, an option's value being the next argument whatever it is.
std::vector<std::string> argumentsForNestedLauncher(const std::vector<std::string>& arguments) {
    std::vector<std::string> passed = arguments;
    for (size_t i = 0; i + 1 < passed.size(); ++i) {
        if (takesValue(passed[i])) {
            const bool path = takesPath(passed[i]);
            ++i;
            if (path) {
                passed[i] = absoluteValue(passed[i]);
            }
        }
    }
    return passed;
}

}  // namespace

void executeEmbeddedLauncher(const LauncherFile& launcher, int position) {
    const FileIndexEntry* entry = launcher.entryAt(position);
    if (entry == nullptr || entry->fileType != kFileEmbeddedLauncher) {
        writeLog("Unable to execute the embedded launcher.", kLogError);
        return;
    }
    const std::string directory = createWorkspaceDirectory();
    const std::string program = extract(*entry, directory);
    const std::string commandLine = embeddedLauncherCommandLine(
        program, launcherFileName(), argumentsForNestedLauncher(runState().launcherArguments));
    ProcessRunner().run(commandLine, directory, true, false, false, nullptr, nullptr, true);
    // The started launcher works in the directory after this process has
    // ended and removes it itself; until it started, the directory is ours.
    forgetWorkspaceDirectory(directory);
}

std::string embeddedLauncherCommandLine(const std::string& program, const std::string& launcherPath,
                                        const std::vector<std::string>& arguments) {
    std::string commandLine = quotedArgument(program) + " -vd:orig " + quotedArgument(launcherPath);
    for (const std::string& argument : arguments) {
        commandLine += " " + quotedArgument(argument);
    }
    return commandLine;
}
