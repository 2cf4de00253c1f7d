#include "entry/entry.h"

#include <memory>

#include "app/argument_list.h"
#include "base/facade.h"
#include "base/log.h"
#include "base/old_platform.h"
#include "frontend/console/console_launcher.h"
#include "frontend/window/gui_launcher.h"
#include "launch/process_runner.h"
#include "payload/cleanup.h"
#include "platform/environment.h"
#include "platform/interruption.h"
#include "platform/module.h"
#include "platform/system.h"

namespace {

constexpr int kShowNormal = 5;

// A launcher ended from outside first ends the programs it waits for, which
// may run from its workspace, then removes the workspace.
void endForGood() {
    endChildrenForGood();
    cleanUpForTheEnd();
}

bool consoleRequested(const ArgumentList& arguments) {
    for (int i = 1; i < arguments.count(); ++i) {
        if (*arguments.argument(i) == "-console") {
            return true;
        }
    }
    return false;
}

}  // namespace

int launcherMain(int argc, char** argv) {
    // First, before any other thread starts: a kill removes the workspace too.
    platform::endProcessCleanlyOnInterruption(endForGood);
    platform::restrictDllSearchToSystemDirectory();
    platform::matchConsoleToCodePage();
    if (!platform::getEnvironment("WIN32ZLN_DEBUGGER").empty()) {
        platform::breakIntoDebugger();
    }
    int exitCode = -1;
    auto arguments = std::make_unique<ArgumentList>();
    try {
        setOldPlatform(platform::isOldPlatformFamily());
        const std::string debugLog = platform::getEnvironment("DBGWIN32ZLN");
        if (!debugLog.empty()) {
            enableDebugLog(debugLog);
            writeDebugLog("Console Launcher Started", true);
        }
        void* module = platform::programModule();
        arguments->build(argc, argv);
        if (consoleRequested(*arguments)) {
            setCurrentLauncher(std::make_unique<ConsoleLauncher>(*arguments));
        } else {
            setCurrentLauncher(createGuiLauncher(*arguments));
        }
        if (currentLauncher()->initialize(module, kShowNormal)) {
            exitCode = currentLauncher()->run();
        }
    } catch (...) {
        // Failures of the run were reported where they happened; the exit
        // code stays -1 unless run() had returned.
    }
    setCurrentLauncher(nullptr);
    arguments.reset();
    return exitCode;
}
