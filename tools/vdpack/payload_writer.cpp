#include "vdpack/payload_writer.h"

#include <cstdio>
#include <filesystem>

#include "base/path_text.h"
#include "payload/entry_name.h"
#include "payload/launcher_file.h"
#include "tagfile/text_utils.h"
#include "vdpack/payload_format.h"

namespace {

constexpr size_t kMaxNameLength = 32767;
constexpr long long kMaxOffset = INT32_MAX;

// A path or name in quotes, a control character in it as \xNN, so that it
// shows in a message.
std::string inQuotes(const std::string& path) {
    std::string text = "'";
    for (const char c : path) {
        if (static_cast<unsigned char>(c) < 0x20) {
            const char* const digits = "0123456789abcdef";
            text += std::string("\\x") + digits[(c >> 4) & 0xF] + digits[c & 0xF];
        } else {
            text += c;
        }
    }
    return text + "'";
}

void checkEntry(const PackEntry& entry) {
    const std::string file = inQuotes(entry.path);
    if (entry.fileType < 0 || entry.fileType > kLastFileType) {
        throw PackError("the type of " + file + " is not 0 to 8");
    }
    const std::string name = storedName(entry);
    const std::string fault = entryNameFault(name);
    if (!fault.empty()) {
        throw PackError("the stored name " + inQuotes(name) + " of " + file +
                        " is not a plain file name: " + fault);
    }
    if (name.size() > kMaxNameLength) {
        throw PackError("the stored name of " + file + " is longer than 32767 bytes");
    }
    if (entry.compressed && (entry.decompressedFileCount < 0 || entry.decompressedSize < 0)) {
        throw PackError("the decompressed file count and size of " + file +
                        " must not be negative");
    }
}

// The size of a file that must exist and be readable.
long long fileSize(const std::string& path, const std::string& role) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        throw PackError("the " + role + " " + inQuotes(path) + " is a directory");
    }
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) {
        throw PackError("cannot open the " + role + " " + inQuotes(path));
    }
    const long long size = std::fseek(stream, 0, SEEK_END) == 0 ? std::ftell(stream) : -1;
    std::fclose(stream);
    if (size < 0) {
        throw PackError("cannot tell the size of the " + role + " " + inQuotes(path) +
                        " (a launcher file stays below 2 GiB)");
    }
    return size;
}

// Where everything goes: the stub, then the embedded files one after
// another, then the index.
struct Layout {
    long long stubSize = 0;
    std::vector<IndexRecord> records;
    int32_t indexOffset = 0;
};

int32_t checkedOffset(long long offset, const std::string& what) {
    if (offset > kMaxOffset) {
        throw PackError(what + " would start beyond the 2 GiB offset limit");
    }
    return static_cast<int32_t>(offset);
}

Layout layOut(const PackPlan& plan) {
    Layout layout;
    layout.stubSize = fileSize(plan.stub, "stub");
    long long position = layout.stubSize;
    for (const PackEntry& entry : plan.entries) {
        IndexRecord record;
        record.fileType = static_cast<uint8_t>(entry.fileType);
        record.fileId = entry.fileId;
        record.offset = checkedOffset(position, inQuotes(entry.path));
        const long long size = fileSize(entry.path, "file");
        record.length = static_cast<int32_t>(std::min(size, kMaxOffset));
        position += size;
        record.name = storedName(entry);
        record.compressedFlag = entry.compressed ? 1 : 0;
        record.decompressedFileCount = entry.decompressedFileCount;
        record.decompressedSize = entry.decompressedSize;
        layout.records.push_back(record);
    }
    layout.indexOffset = checkedOffset(position, "the file index");
    return layout;
}

// The output under a temporary name, put in place by commit(); removed when
// it was not committed.
class OutputFile {
public:
    explicit OutputFile(const std::string& path)
        : path_(path),
          partPath_(path + ".vdpack-part"),
          stream_(std::fopen(partPath_.c_str(), "wb")) {
        if (stream_ == nullptr) {
            throw PackError("cannot create " + inQuotes(partPath_));
        }
    }
    ~OutputFile() {
        if (stream_ != nullptr) {
            std::fclose(stream_);
        }
        if (!committed_) {
            std::remove(partPath_.c_str());
        }
    }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(const char* bytes, size_t count) {
        if (std::fwrite(bytes, 1, count, stream_) != count) {
            throw PackError("cannot write " + inQuotes(partPath_));
        }
    }
    void write(const std::string& bytes) { write(bytes.data(), bytes.size()); }

    // Exactly `size` bytes of the file, a block at a time.
    void copy(const std::string& path, long long size) {
        std::FILE* input = std::fopen(path.c_str(), "rb");
        if (input == nullptr) {
            throw PackError("cannot open " + inQuotes(path));
        }
        std::vector<char> block(64 * 1024);
        long long remaining = size;
        while (remaining > 0) {
            const size_t wanted = static_cast<size_t>(std::min<long long>(remaining, block.size()));
            const size_t read = std::fread(block.data(), 1, wanted, input);
            if (read == 0) {
                std::fclose(input);
                throw PackError(inQuotes(path) + " changed while it was packed");
            }
            try {
                write(block.data(), read);
            } catch (...) {
                std::fclose(input);
                throw;
            }
            remaining -= static_cast<long long>(read);
        }
        std::fclose(input);
    }

    // Puts the output in place with the permissions of `model` (the stub),
    // so a runnable stub gives a runnable launcher file.
    void commit(const std::string& model) {
        const bool closed = std::fclose(stream_) == 0;
        stream_ = nullptr;
        if (!closed) {
            throw PackError("cannot write " + inQuotes(partPath_));
        }
        std::error_code error;
        std::filesystem::permissions(partPath_, std::filesystem::status(model, error).permissions(),
                                     error);
        std::filesystem::rename(partPath_, path_, error);
        if (error) {
            throw PackError("cannot replace " + inQuotes(path_) + ": " + error.message());
        }
        committed_ = true;
    }

private:
    std::string path_;
    std::string partPath_;
    std::FILE* stream_;
    bool committed_ = false;
};

}  // namespace

std::string storedName(const PackEntry& entry) {
    return entry.name.empty() ? namePart(entry.path) : entry.name;
}

void writeLauncherFile(const PackPlan& plan, const std::string& output) {
    if (plan.launcherKind < 0 || plan.launcherKind > 255) {
        throw PackError("the launcher kind is not 0 to 255");
    }
    std::vector<std::string> names;
    for (const PackEntry& entry : plan.entries) {
        checkEntry(entry);
        names.push_back(storedName(entry));
    }
    const std::string fault = entryNameSetFault(names);
    if (!fault.empty()) {
        throw PackError("the stored names cannot be extracted side by side: " + fault);
    }
    const Layout layout = layOut(plan);
    std::string index;
    appendBigEndian32(index, static_cast<uint32_t>(layout.records.size()));
    for (const IndexRecord& record : layout.records) {
        index += encodeIndexRecord(record);
    }
    index += encodeTrailer(static_cast<uint8_t>(plan.launcherKind), layout.indexOffset);

    OutputFile out(output);
    out.copy(plan.stub, layout.stubSize);
    for (size_t i = 0; i < plan.entries.size(); ++i) {
        out.copy(plan.entries[i].path, layout.records[i].length);
    }
    out.write(index);
    out.commit(plan.stub);
}
