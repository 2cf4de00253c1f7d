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

constexpr size_t kBlockSize = 0xEFFF;
// The bytes move in chunks of this many blocks: one call of the system per
// chunk copies as fast as a copy of the whole file, where a call per block
// is a third slower.  The progress display still advances, and a cancel
// request is still heard, block by block.
constexpr int64_t kBlocksPerChunk = 16;
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

// The progress steps of a chunk: one per block that arrived whole and one
// for the block the source ended in, as when each block was read by itself.
int64_t blocksArrived(const platform::CopyStep& step, size_t wanted, int64_t block) {
    const int64_t copied = static_cast<int64_t>(step.copied);
    if (step.error != 0) {
        return copied / block;
    }
    if (step.copied < wanted) {
        return copied / block + 1;
    }
    return (copied + block - 1) / block;
}

// Advances the progress display by `blocks` steps, stopping when the user
// cancels in between.
void stepBlocks(int64_t blocks) {
    for (int64_t i = 0; i < blocks && !(i > 0 && cancelRequested()); ++i) {
        advanceProgress(1);
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
                       const platform::RawFile& target, int64_t length, size_t blockSize,
                       bool interactive) {
    platform::FileCopier copier;
    CopyOutcome outcome;
    const int64_t block = static_cast<int64_t>(blockSize);
    const int64_t chunk = block * kBlocksPerChunk;
    int64_t copied = 0;
    while ((length < 0 || copied < length) && !(interactive && cancelRequested())) {
        const size_t wanted =
            static_cast<size_t>(length < 0 ? chunk : std::min(chunk, length - copied));
        const platform::CopyStep step = copier.copy(source, offset + copied, target, wanted);
        if (interactive) {
            stepBlocks(blocksArrived(step, wanted, block));
        }
        if (step.error != 0) {
            outcome.error = step.error;
            break;
        }
        if (step.copied < wanted) {
            // Reaching the end is the normal way for a copy of everything to
            // finish.
            outcome.endOfSource = length >= 0;
            break;
        }
        copied += static_cast<int64_t>(step.copied);
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
    const CopyOutcome outcome =
        copyBlocks(source, entry.offset, target.file(), entry.length, kBlockSize, true);
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
