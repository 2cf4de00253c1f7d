#include "jvm/verify_archive.h"

#include "payload/launcher_file.h"
#include "payload/workspace.h"

std::string extractVerifyArchive() {
    const LauncherFile& file = launcherFile();
    const FileIndexEntry* archive = nullptr;
    for (int i = 0; i < file.entryCount(); ++i) {
        if (file.entryAt(i)->fileType == kFileVerifyArchive) {
            archive = file.entryAt(i);
        }
    }
    return archive == nullptr ? std::string() : extract(*archive, createWorkspaceDirectory());
}
