#include "payload/self_removal.h"

#include <cstdio>
#include <vector>

#include "base/line_output.h"
#include "base/log.h"
#include "base/run_state.h"
#include "payload/wininit.h"
#include "payload/workspace.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/self_removal.h"
#include "platform/system.h"

namespace {

std::string directoryOf(const std::string& path) {
    const size_t separator = path.rfind(platform::pathSeparator());
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

// "NUL=" and the short form of the path, or "NUL=" alone without one.
std::string deleteAtStartEntry(const std::string& path) {
    std::string shortPath;
    return "NUL=" + (platform::shortPathName(path, shortPath) ? shortPath : std::string());
}

void renameAtNextStart(const std::string& launcher) {
    if (debugLogOn()) {
        writeDebugLog("Launcher: Writing to wininit.ini to cleanup", true);
    }
    std::vector<std::string> renameList = {deleteAtStartEntry(launcher),
                                           deleteAtStartEntry(directoryOf(launcher))};
    writeRenameList(platform::windowsDirectory(), renameList);
}

}  // namespace

platform::SelfRemovalPlan writeSelfRemovalScript(const std::string& launcher) {
    // A fresh unique name, not left for the cleanup: the script removes itself.
    const std::string name = createWorkspaceFile();
    forgetWorkspaceFile(name);
    if (debugLogOn()) {
        writeDebugLog("Launcher: Cleanup batch file called: " + name, true);
    }
    platform::deleteFile(name);

    platform::SelfRemovalPlan plan;
    plan.launcher = launcher;
    plan.directory = directoryOf(launcher);
    const size_t dot = name.rfind('.');
    plan.script = name.substr(0, dot) + platform::selfRemovalScriptExtension();
    if (debugLogOn()) {
        plan.debugLog = platform::getEnvironment("DBGWIN32ZLN");
    }
    // Text mode: each line ends as the system's scripts expect.
    std::FILE* script = platform::createNewFile(plan.script, platform::NewFile::kScript);
    if (script == nullptr) {
        plan.script.clear();
        return plan;
    }
    bool written = true;
    for (const std::string& line : platform::selfRemovalScriptLines(plan)) {
        written = written && writeLine(script, line);
    }
    written = std::fclose(script) == 0 && written;
    if (!written) {
        platform::deleteFile(plan.script);
        plan.script.clear();
    }
    return plan;
}

void arrangeSelfRemoval() {
    const std::string& launcher = launcherFileName();
    if (platform::isOldPlatformFamily()) {
        renameAtNextStart(launcher);
        return;
    }
    const platform::SelfRemovalPlan plan = writeSelfRemovalScript(launcher);
    // A script that never runs cannot remove itself.
    if (!plan.script.empty() && !platform::startSelfRemovalScript(plan)) {
        platform::deleteFile(plan.script);
    }
}
