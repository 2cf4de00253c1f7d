#include "payload/extraction.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "base/error_number.h"
#include "base/facade.h"
#include "base/launcher_exception.h"
#include "base/messages.h"
#include "base/path_text.h"
#include "base/run_state.h"
#include "payload/entry_name.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"
#include "platform/file_copy.h"
#include "platform/file_system.h"
#include "tagfile/text_utils.h"

namespace {

// The progress display takes one step per block, and a cancel request is
// heard before each step.
constexpr int64_t kBlockSize = 0xEFFF;
// The bytes move in chunks that end on multiples of this size in the target:
// the system copies those as fast as a whole file, where calls of one block
// take some three times as long, and chunks that start inside a page of the
// target half as long again.
constexpr int64_t kChunkSize = 1024 * 1024;
constexpr int kWritingFileMessage = 33;
constexpr int kDiskSpaceMessage = 34;
constexpr int kCanceledMessage = 35;

// The file an extraction writes: created new, and removed again, with what
// was written of it, unless the extraction completes.  Its close is checked.
class ExtractionTarget {
public:
    explicit ExtractionTarget(std::string path) : path_(std::move(path)) {}
    ExtractionTarget(const ExtractionTarget&) = delete;
    ExtractionTarget& operator=(const ExtractionTarget&) = delete;
    ~ExtractionTarget() {
        close();
        if (created_ && !kept_) {
            platform::deleteFile(path_);
        }
    }

    // Throws when the file exists or cannot be created.
    void create() {
        errno = 0;
        file_ = platform::RawFile::createNew(path_);
        if (!file_.isOpen()) {
            if (errno == EEXIST) {
                throw LauncherException("Cannot write the embedded file " + path_ +
                                        ": a file of that name exists.");
            }
            throw LauncherException(writeFailureText(errorNumber()));
        }
        created_ = true;
    }
    const platform::RawFile& file() const { return file_; }
    // 0, or the error number of a failed close.
    int close() { return file_.close(); }
    void keep() { kept_ = true; }

private:
    std::string path_;
    platform::RawFile file_;
    bool created_ = false;
    bool kept_ = false;
};

std::string incompleteEntryText(const FileIndexEntry& entry) {
    return "The embedded file " + entry.name +
           " is incomplete: the launcher file does not hold all of its bytes.";
}

// The progress steps due after `copied` bytes of a copy of `length`: one per
// whole block; at the end, one for the last block however short, or for the
// block the source ended in, even when it holds nothing.
int64_t stepsDue(int64_t copied, int64_t length, const CopyOutcome& outcome) {
    if (outcome.error == 0 && (outcome.endOfSource || copied == length)) {
        return outcome.endOfSource ? copied / kBlockSize + 1
                                   : (copied + kBlockSize - 1) / kBlockSize;
    }
    return copied / kBlockSize;
}

// Advances the progress display up to `due` steps, stopping when the user
// cancels before one of them.
void stepUpTo(int64_t due, int64_t& stepped) {
    while (stepped < due && !cancelRequested()) {
        advanceProgress(1);
        ++stepped;
    }
}

}  // namespace

void checkEntryName(const FileIndexEntry& entry) {
    const std::string fault = entryNameFault(entry.name);
    if (!fault.empty()) {
        throw LauncherException("The embedded file name \"" + entry.name +
                                "\" is not a plain file name (" + fault +
                                "); nothing was extracted.");
    }
}

CopyOutcome copyBlocks(const platform::RawFile& source, int64_t offset,
                       const platform::RawFile& target, int64_t length, bool interactive) {
    platform::FileCopier copier;
    CopyOutcome outcome;
    int64_t copied = 0;
    int64_t stepped = 0;
    while ((length < 0 || copied < length) && !(interactive && cancelRequested())) {
        int64_t end = (copied / kChunkSize + 1) * kChunkSize;
        if (length >= 0) {
            end = std::min(end, length);
        }
        const platform::CopyStep step =
            copier.copy(source, offset + copied, target, static_cast<size_t>(end - copied));
        copied += static_cast<int64_t>(step.copied);
        outcome.error = step.error;
        // Reaching the end is the normal way for a copy of everything to
        // finish.
        const bool ended = step.error == 0 && copied < end;
        outcome.endOfSource = ended && length >= 0;
        if (interactive) {
            stepUpTo(stepsDue(copied, length, outcome), stepped);
        }
        if (step.error != 0 || ended) {
            break;
        }
    }
    return outcome;
}

std::string writeFailureText(int error) {
    return loadMessage(kWritingFileMessage) + toDecimal(error) + loadMessage(kDiskSpaceMessage);
}

platform::RawFile openLauncherFile() {
    platform::RawFile file = platform::RawFile::openForReading(launcherFileName());
    if (!file.isOpen()) {
        throw LauncherException("Cannot open launcher file.");
    }
    return file;
}

void checkEntryBytes(const platform::RawFile& launcher, const FileIndexEntry& entry) {
    if (entry.offset < 0 || entry.length < 0) {
        throw LauncherException(
            "The embedded file " + entry.name + " has an invalid place in the file index (offset " +
            toDecimal(entry.offset) + ", length " + toDecimal(entry.length) + ").");
    }
    // A payload ends below 2 GiB, where 32-bit offsets end.
    const int64_t end = static_cast<int64_t>(entry.offset) + entry.length;
    if (end > INT32_MAX) {
        throw LauncherException(incompleteEntryText(entry));
    }
    // The last byte must be there.
    if (entry.length > 0 && launcher.size() < end) {
        throw LauncherException(incompleteEntryText(entry));
    }
}

std::string extract(const FileIndexEntry& entry, const std::string& directory) {
    checkEntryName(entry);
    const platform::RawFile source = openLauncherFile();
    checkEntryBytes(source, entry);
    // Room for the entry, and for what a compressed one unpacks into with one
    // partly used cluster per file.  Sums as the stored 32-bit fields give them.
    uint32_t bytes = static_cast<uint32_t>(entry.length);
    uint32_t extra = 1;
    if (entry.compressed) {
        bytes += static_cast<uint32_t>(entry.decompressedSize);
        extra += static_cast<uint32_t>(entry.decompressedFileCount);
    }
    if (!enoughFreeSpace(directory, static_cast<int32_t>(bytes), static_cast<int32_t>(extra))) {
        throw LauncherException(loadMessage(kWritingFileMessage) + loadMessage(kDiskSpaceMessage));
    }
    const std::string path = joinPath(directory, entry.name);
    ExtractionTarget target(path);
    target.create();
    const CopyOutcome outcome = copyBlocks(source, entry.offset, target.file(), entry.length, true);
    const int closeError = target.close();
    if (outcome.error != 0 || closeError != 0) {
        throw LauncherException(writeFailureText(outcome.error != 0 ? outcome.error : closeError));
    }
    if (cancelRequested()) {
        throw LauncherException(loadMessage(kCanceledMessage));
    }
    if (outcome.endOfSource) {
        throw LauncherException(incompleteEntryText(entry));
    }
    if (entry.fileType == kFileJvmInstaller || entry.fileType == kFileEmbeddedLauncher) {
        platform::allowExecution(path);
    }
    target.keep();
    return path;
}
