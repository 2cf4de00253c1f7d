#include "payload/extraction.h"

#include <cerrno>
#include <cstdint>
#include <vector>

#include "base/error_number.h"
#include "base/facade.h"
#include "base/file_pointer.h"
#include "base/launcher_exception.h"
#include "base/messages.h"
#include "base/path_text.h"
#include "base/run_state.h"
#include "payload/entry_name.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"
#include "platform/file_system.h"
#include "tagfile/text_utils.h"

namespace {

constexpr size_t kBlockSize = 0xEFFF;
constexpr int kWritingFileMessage = 33;
constexpr int kDiskSpaceMessage = 34;
constexpr int kCanceledMessage = 35;

// The file an extraction writes: created new, and removed again, with what
// was written of it, unless the extraction completes.  Its close is checked,
// as it may write the last bytes.
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
        file_ = platform::createNewFile(path_, platform::NewFile::kData);
        if (file_ == nullptr) {
            if (errno == EEXIST) {
                throw LauncherException("Cannot write the embedded file " + path_ +
                                        ": a file of that name exists.");
            }
            throw LauncherException(writeFailureText(errorNumber()));
        }
        created_ = true;
        // The blocks go straight from the one buffer to the file.
        std::setvbuf(file_, nullptr, _IONBF, 0);
    }
    std::FILE* file() const { return file_; }
    // 0, or the error number of a failed close.
    int close() {
        errno = 0;
        const int result = file_ != nullptr && std::fclose(file_) != 0 ? errorNumber() : 0;
        file_ = nullptr;
        return result;
    }
    void keep() { kept_ = true; }

private:
    std::string path_;
    std::FILE* file_ = nullptr;
    bool created_ = false;
    bool kept_ = false;
};

std::string incompleteEntryText(const FileIndexEntry& entry) {
    return "The embedded file " + entry.name +
           " is incomplete: the launcher file does not hold all of its bytes.";
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

CopyOutcome copyBlocks(std::FILE* source, std::FILE* target, int64_t length, size_t blockSize,
                       bool interactive) {
    std::vector<char> buffer(blockSize);
    CopyOutcome outcome;
    int64_t remaining = length;
    while ((length < 0 || remaining > 0) && !(interactive && cancelRequested())) {
        const size_t wanted = length < 0 || remaining > static_cast<int64_t>(blockSize)
                                  ? blockSize
                                  : static_cast<size_t>(remaining);
        errno = 0;
        const size_t got = std::fread(buffer.data(), 1, wanted, source);
        if (got < wanted && std::ferror(source)) {
            outcome.error = errorNumber();
            break;
        }
        outcome.endOfSource = got < wanted;
        if (got > 0 && std::fwrite(buffer.data(), 1, got, target) < got) {
            outcome.error = errorNumber();
            break;
        }
        if (interactive) {
            std::fflush(target);
            advanceProgress(1);
        }
        remaining -= static_cast<int64_t>(got);
        if (outcome.endOfSource) {
            break;
        }
    }
    // Reaching the end is the normal way for a copy of everything to finish.
    outcome.endOfSource = outcome.endOfSource && length >= 0;
    return outcome;
}

std::string writeFailureText(int error) {
    return loadMessage(kWritingFileMessage) + toDecimal(error) + loadMessage(kDiskSpaceMessage);
}

FilePointer openLauncherFile() {
    FilePointer stream(std::fopen(launcherFileName().c_str(), "rb"));
    if (!stream) {
        throw LauncherException("Cannot open launcher file.");
    }
    // Before any other use of the stream: the blocks go straight into the
    // one buffer.
    std::setvbuf(stream.get(), nullptr, _IONBF, 0);
    return stream;
}

void checkEntryBytes(std::FILE* launcher, const FileIndexEntry& entry) {
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
    if (entry.length > 0 && (std::fseek(launcher, static_cast<long>(end - 1), SEEK_SET) != 0 ||
                             std::fgetc(launcher) == EOF)) {
        throw LauncherException(incompleteEntryText(entry));
    }
}

std::string extract(const FileIndexEntry& entry, const std::string& directory) {
    checkEntryName(entry);
    const FilePointer source = openLauncherFile();
    checkEntryBytes(source.get(), entry);
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
    if (std::fseek(source.get(), entry.offset, SEEK_SET) != 0) {
        throw LauncherException(incompleteEntryText(entry));
    }
    const std::string path = joinPath(directory, entry.name);
    ExtractionTarget target(path);
    target.create();
    const CopyOutcome outcome =
        copyBlocks(source.get(), target.file(), entry.length, kBlockSize, true);
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
