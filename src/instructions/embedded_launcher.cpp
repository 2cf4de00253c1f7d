#include "instructions/embedded_launcher.h"

#include "instructions/quoted_argument.h"
#include "launch/process_runner.h"
#include "launcher/log.h"
#include "launcher/run_state.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"

void executeEmbeddedLauncher(const LauncherFile& launcher, int position) {
    const FileIndexEntry* entry = launcher.entryAt(position);
    if (entry == nullptr || entry->fileType != kFileEmbeddedLauncher) {
        writeLog("Unable to execute the embedded launcher.", kLogError);
        return;
    }
    const std::string directory = createWorkspaceDirectory();
    const std::string program = extract(*entry, directory);
    const std::string commandLine =
        embeddedLauncherCommandLine(program, launcherFileName(), runState().launcherArguments);
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
