#include "jvm/jvm_installation.h"

#include <string>

#include "base/facade.h"
#include "base/file_exists.h"
#include "base/launcher_exception.h"
#include "base/log.h"
#include "base/messages.h"
#include "base/variable_store.h"
#include "jvm/installed_jvm.h"
#include "launch/process_runner.h"
#include "launch/quoted_argument.h"
#include "payload/launcher_file.h"
#include "payload/tree_deleter.h"
#include "payload/workspace.h"

namespace {

const FileIndexEntry& jvmInstaller(const LauncherFile& launcher) {
    for (int i = 0; i < launcher.entryCount(); ++i) {
        const FileIndexEntry* entry = launcher.entryAt(i);
        if (entry != nullptr && entry->fileType == kFileJvmInstaller) {
            return *entry;
        }
    }
    throw LauncherException(messageForCode(kErrNoJvmInstaller));
}

// Deletes the installer that extraction wrote when it has done its work, and
// also when its start failed, so that nothing of it stays in a directory the
// user chose.  A failed extraction leaves nothing to delete.
class InstallerRemoval {
public:
    explicit InstallerRemoval(std::string path) : path_(std::move(path)) {}
    ~InstallerRemoval() {
        try {
            deleteFileOrTree(path_);
        } catch (...) {
            // A deletion failure is logged where it happens; it never ends the run.
        }
    }
    InstallerRemoval(const InstallerRemoval&) = delete;
    InstallerRemoval& operator=(const InstallerRemoval&) = delete;

private:
    std::string path_;
};

void runInstaller(const FileIndexEntry& installer, const std::string& directory) {
    const std::string installerFile = extract(installer, directory);
    const InstallerRemoval removal(installerFile);
    // Its exit code and output do not count: the "jvm" file it leaves decides.
    std::string standardOutput;
    std::string standardError;
    ProcessRunner(kOutputTail)
        .run(quotedArgument(installerFile), directory, false, true, true, &standardOutput,
             &standardError, false);
}

}  // namespace

void installJvm(const LauncherFile& launcher, JvmInstallMode mode) {
    setNumber(1, 0);
    setText(1, std::string());
    if (mode == kInstallHidden) {
        hideProgressWindow(0);
    } else {
        showProgressWindow();
        showStatus(kStatusPreparing);
    }
    const FileIndexEntry& installer = jvmInstaller(launcher);
    const std::string directory =
        mode == kInstallIntoChosenDirectory ? askForDirectory() : createWorkspaceDirectory();
    if (directory.empty()) {
        return;
    }
    runInstaller(installer, directory);

    if (!fileExists(installedJvmFilePath(directory))) {
        writeLog("Invalid bundled JVM. Missing 'jvm' file.", kLogError);
        return;
    }
    setText(1, completeInstalledJvmFile(directory, true));
    setNumber(1, 1);
}
