#include "payload/file_index_entry.h"

#include "base/launcher_exception.h"
#include "payload/big_endian.h"
#include "tagfile/text_utils.h"

namespace {

// The stored name: exactly `length` bytes (fewer at the end of the file), up
// to the first NUL byte.
std::string readName(std::FILE* stream, uint16_t length) {
    std::string name(length, '\0');
    name.resize(std::fread(&name[0], 1, length, stream));
    return name.substr(0, name.find('\0'));
}

}  // namespace

std::unique_ptr<FileIndexEntry> readIndexEntry(std::FILE* stream) {
    const int fileType = std::fgetc(stream);
    if (fileType == EOF || fileType > kLastFileType) {
        throw LauncherException("Invalid file type in file index.");
    }
    auto entry = std::make_unique<FileIndexEntry>();
    entry->fileType = fileType;
    entry->fileId = readBigEndian32(stream, "Unable to load file id.");
    entry->length = readBigEndian32(stream, "Unable to load file length.");
    entry->offset = readBigEndian32(stream, "Unable to load offset to file bytes.");
    entry->name = readName(stream, readBigEndian16(stream, "Unable to load the string value."));
    entry->compressed = std::fgetc(stream) == 1;
    if (entry->compressed) {
        entry->decompressedFileCount =
            readBigEndian32(stream, "Unable to load decompressed file count.");
        entry->decompressedSize = readBigEndian32(stream, "Unable to load decompressed size.");
    }
    return entry;
}

std::string entryLogText(const FileIndexEntry& entry) {
    return "file type: " + toDecimal(entry.fileType) + "\n  file id: " + toDecimal(entry.fileId) +
           "\n  length: " + toDecimal(entry.length) + "\n  offset: " + toDecimal(entry.offset) +
           "\n  file name: " + entry.name;
}
