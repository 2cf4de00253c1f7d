#include "tagfile/tag_file_source.h"

#include <algorithm>

#include "base/file_pointer.h"
#include "platform/text_encoding.h"
#include "tagfile/utf8.h"

namespace {

constexpr size_t kBlockSize = 64 * 1024;
constexpr char kEndOfFileMark = '\x1A';
const char* const kByteOrderMark = "\xEF\xBB\xBF";
// A tag file is text that people write; what is larger is none, and a device
// that never ends (/dev/zero) is refused before it fills the memory.
constexpr size_t kMaxTagFileBytes = 64 << 20;

// Appends up to `limit` bytes (all to the end when negative) a block at a
// time, so a length the stream does not hold allocates nothing.  False when
// a read fails or there are more than kMaxTagFileBytes.
bool appendFromStream(std::FILE* stream, long limit, std::string& bytes) {
    char block[kBlockSize];
    long remaining = limit;
    while (limit < 0 || remaining > 0) {
        const size_t wanted =
            limit < 0 ? kBlockSize : std::min(kBlockSize, static_cast<size_t>(remaining));
        const size_t got = std::fread(block, 1, wanted, stream);
        if (bytes.size() + got > kMaxTagFileBytes) {
            return false;
        }
        bytes.append(block, got);
        remaining -= static_cast<long>(got);
        if (got < wanted) {
            return std::ferror(stream) == 0;
        }
    }
    return true;
}

}  // namespace

std::string tagFileText(const std::string& bytes) {
    // A byte order mark says UTF-8 whatever follows; a byte that is no
    // character there reads as U+FFFD.
    if (bytes.compare(0, 3, kByteOrderMark) == 0) {
        return platform::narrowFromFile(bytes.substr(3), platform::FileEncoding::kUtf8);
    }
    return platform::narrowFromFile(
        bytes, isUtf8(bytes) ? platform::FileEncoding::kUtf8 : platform::FileEncoding::kLegacy);
}

bool readTagFileText(const std::string& path, std::string& text) {
    text.clear();
    const FilePointer file(std::fopen(path.c_str(), "rb"));
    if (!file || !appendFromStream(file.get(), -1, text)) {
        return false;
    }
    const size_t mark = text.find(kEndOfFileMark);
    if (mark != std::string::npos) {
        text.erase(mark);
    }
    text = tagFileText(text);
    return true;
}

bool readStreamRegion(std::FILE* stream, long offset, long length, std::string& bytes) {
    bytes.clear();
    if (offset < 0 || std::fseek(stream, offset, SEEK_SET) != 0) {
        return false;
    }
    if (length > 0 && !appendFromStream(stream, length, bytes)) {
        return false;
    }
    bytes = tagFileText(bytes);
    return true;
}
