#include "app/service_actions.h"

#include <cstdio>
#include <vector>

#include "app/launcher_objects.h"
#include "base/facade.h"
#include "base/launcher_exception.h"
#include "base/line_output.h"
#include "base/log.h"
#include "base/messages.h"
#include "base/variable_store.h"
#include "jvm/find_jvm.h"
#include "jvm/installed_jvm.h"
#include "jvm/jvm_search.h"
#include "jvm/verify_jvm.h"
#include "launch/process_runner.h"
#include "launch/quoted_argument.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "tagfile/tag_file.h"

namespace {

// The installer of an input file is a command line, which may quote its
// program and add arguments.  A value that names an existing file as a whole
// is that program alone: quoted, so that a path with blanks is not read as a
// shorter program ("C:\Program.exe") with arguments, and absolute, so that
// the system does not look for it elsewhere first.
std::string installerCommandLine(const std::string& installer) {
    platform::FileAttributes attributes;
    if (!platform::readFileAttributes(installer, attributes) || attributes.directory) {
        return installer;
    }
    return quotedArgument(platform::absolutePath(installer));
}

}  // namespace

void installAction(bool showProgress, const std::string& installer,
                   const std::string& destination) {
    ProcessRunner().run(installerCommandLine(installer), destination, showProgress, false, true,
                        nullptr, nullptr, false);
    const std::string jvmFile = completeInstalledJvmFile(destination, false);
    writeLine(stdout, jvmFile);
    std::fflush(stdout);
}

void searchAction(bool showProgress, bool showFailure) {
    // A search that fails (a java that cannot be started, say) still prints
    // its result, 0, as SEARCH_ALL does: the caller reads a first line.
    long found = 0;
    try {
        findJvm(launcherObjects().jvmSearch(), showProgress, showFailure);
        found = getNumber(1);
    } catch (const LauncherException&) {
        // findJvm has reported it.
    } catch (...) {
        writeLog("Unexpected failure in search.", kLogError);
    }
    writeLine(stdout, std::to_string(found));
    if (found != 0) {
        writeLine(stdout, getText(1));
        writeLine(stdout, getText(2));
        forgetWorkspaceFile(getText(2));
    }
    std::fflush(stdout);
}

void searchAllAction(bool showProgress, bool showFailure) {
    writeLog("Finding all matching JVMs", kLogInfo);
    showSearchProgress(showProgress);
    // Every JVM file is written before anything is printed, so a failure
    // part way prints only its 0, and the files written are removed at exit.
    std::vector<std::string> lines;
    try {
        MatchList matches;
        launcherObjects().jvmSearch().findAll(matches);
        for (const auto& match : matches) {
            lines.push_back(match->home());
            lines.push_back(match->writeJvmFile());
        }
    } catch (const LauncherException& e) {
        const std::string message = messageForCode(kErrSearchAll) + e.text();
        writeLog(message, kLogError);
        if (showFailure) {
            reportMessage(message);
        }
        writeLine(stdout, "0");
        std::fflush(stdout);
        return;
    }
    writeLine(stdout, std::to_string(lines.size() / 2));
    for (size_t i = 0; i < lines.size(); i += 2) {
        forgetWorkspaceFile(lines[i + 1]);
        writeLine(stdout, lines[i]);
        writeLine(stdout, lines[i + 1]);
    }
    std::fflush(stdout);
}

void verifyAction(bool showProgress, bool showFailure, const std::string& jvmFile,
                  const std::string& home) {
    TagFile tags(jvmFile);
    verifyJvm(launcherObjects().jvmSearch(), showProgress, showFailure, tags, home);
    writeLine(stdout, std::to_string(getNumber(1)));
    std::fflush(stdout);
}
