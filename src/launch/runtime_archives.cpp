#include "launch/runtime_archives.h"

#include "payload/launcher_file.h"
#include "payload/workspace.h"

const std::vector<std::string>& runtimeArchivePaths() {
    static std::vector<std::string> paths;
    static bool extracted = false;
    if (!extracted) {
        std::vector<std::string> found;
        const LauncherFile& file = launcherFile();
        for (int i = 0; i < file.entryCount(); ++i) {
            const FileIndexEntry* entry = file.entryAt(i);
            if (entry->fileType == kFileArchive) {
                found.push_back(extract(*entry, createWorkspaceDirectory()));
            }
        }
        paths = std::move(found);
        extracted = true;
    }
    return paths;
}
