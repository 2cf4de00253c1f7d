#include <cerrno>

#include "base/error_number.h"
#include "base/launcher_exception.h"
#include "base/path_text.h"
#include "base/run_state.h"
#include "payload/extraction.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"
#include "tagfile/text_utils.h"

namespace {

constexpr size_t kCopyBlockSize = 4096;

std::string& applicationArchivePath() {
    static std::string path;
    return path;
}

}  // namespace

std::string embeddedApplicationArchive() {
    return embeddedApplicationArchive(launcherFile());
}

std::string embeddedApplicationArchive(const LauncherFile& file) {
    std::string& path = applicationArchivePath();
    if (!path.empty()) {
        return path;
    }
    const std::string directory = createWorkspaceDirectory();
    for (int i = 0; i < file.entryCount(); ++i) {
        const FileIndexEntry* entry = file.entryAt(i);
        if (entry->fileType == kFileApplicationArchive) {
            path = extract(*entry, directory);
        }
    }
    return path;
}

std::string applicationArchiveBeside(const std::string& fileName) {
    std::string& path = applicationArchivePath();
    if (!path.empty()) {
        return path;
    }
    const std::string source = joinPath(launcherDir(), fileName);
    const std::string target = joinPath(createWorkspaceDirectory(), namePart(fileName));
    std::FILE* in = std::fopen(source.c_str(), "rb");
    if (in == nullptr) {
        return path;  // no archive beside the launcher
    }
    errno = 0;
    std::FILE* out = std::fopen(target.c_str(), "wb");
    CopyOutcome outcome;
    if (out == nullptr) {
        outcome.error = errorNumber();
    } else {
        outcome = copyBlocks(in, out, -1, kCopyBlockSize, false);
        if (std::fclose(out) != 0 && outcome.error == 0) {
            outcome.error = errorNumber();
        }
    }
    std::fclose(in);
    if (outcome.error != 0) {
        throw LauncherException(writeFailureText(outcome.error));
    }
    path = target;
    return path;
}

void forgetApplicationArchive() {
    applicationArchivePath().clear();
}
