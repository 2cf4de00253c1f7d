#include "payload/extraction.h"

#include <cerrno>
#include <vector>

#include "launcher/error_number.h"
#include "launcher/facade.h"
#include "launcher/launcher_exception.h"
#include "launcher/messages.h"
#include "launcher/run_state.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"
#include "platform/file_system.h"
#include "tagfile/text_utils.h"

namespace {

constexpr size_t kBlockSize = 0xEFFF;
constexpr int kWritingFileMessage = 33;
constexpr int kDiskSpaceMessage = 34;
constexpr int kCanceledMessage = 35;

// Closes the launcher file and the target however the extraction ends; the
// target's own close is checked, as it may write the last bytes.
class ExtractionFiles {
public:
    ExtractionFiles() = default;
    ExtractionFiles(const ExtractionFiles&) = delete;
    ExtractionFiles& operator=(const ExtractionFiles&) = delete;
    ~ExtractionFiles() {
        closeSource();
        closeTarget();
    }
    void closeSource() {
        if (source != nullptr) {
            std::fclose(source);
            source = nullptr;
        }
    }
    int closeTarget() {
        const int result = target != nullptr && std::fclose(target) != 0 ? errorNumber() : 0;
        target = nullptr;
        return result;
    }

    std::FILE* source = nullptr;
    std::FILE* target = nullptr;
};

std::string incompleteEntryText(const FileIndexEntry& entry) {
    return "The embedded file " + entry.name +
           " is incomplete: the launcher file does not hold all of its bytes.";
}

}  // namespace

void checkEntryName(const FileIndexEntry& entry) {
    const std::string& name = entry.name;
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of("/\\:") != std::string::npos) {
        throw LauncherException("The embedded file name \"" + name +
                                "\" is not a plain file name; nothing was extracted.");
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

std::string extract(const FileIndexEntry& entry, const std::string& directory) {
    checkEntryName(entry);
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
    const std::string target = joinPath(directory, entry.name);

    ExtractionFiles files;
    files.source = std::fopen(launcherFileName().c_str(), "rb");
    if (files.source == nullptr) {
        throw LauncherException("Cannot open launcher file.");
    }
    if (entry.offset < 0 || std::fseek(files.source, entry.offset, SEEK_SET) != 0) {
        throw LauncherException(incompleteEntryText(entry));
    }
    errno = 0;
    files.target = std::fopen(target.c_str(), "wb");
    if (files.target == nullptr) {
        throw LauncherException(writeFailureText(errorNumber()));
    }
    // The blocks go straight between the files and this one buffer.
    std::setvbuf(files.source, nullptr, _IONBF, 0);
    std::setvbuf(files.target, nullptr, _IONBF, 0);
    const CopyOutcome outcome =
        copyBlocks(files.source, files.target, entry.length, kBlockSize, true);
    files.closeSource();
    const int closeError = files.closeTarget();
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
        platform::allowExecution(target);
    }
    return target;
}
