#include <cerrno>

#include "base/error_number.h"
#include "base/launcher_exception.h"
#include "base/path_text.h"
#include "base/run_state.h"
#include "payload/extraction.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"
#include "platform/file_copy.h"
#include "tagfile/text_utils.h"

namespace {

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
    const platform::RawFile in = platform::RawFile::openForReading(source);
    if (!in.isOpen()) {
        return path;  // no archive beside the launcher
    }
    errno = 0;
    platform::RawFile out = platform::RawFile::createNew(target);
    CopyOutcome outcome;
    if (!out.isOpen()) {
        outcome.error = errorNumber();
    } else {
        outcome = copyBlocks(in, 0, out, -1, false);
        const int closeError = out.close();
        if (outcome.error == 0) {
            outcome.error = closeError;
        }
    }
    if (outcome.error != 0) {
        throw LauncherException(writeFailureText(outcome.error));
    }
    path = target;
    return path;
}

void forgetApplicationArchive() {
    applicationArchivePath().clear();
}
