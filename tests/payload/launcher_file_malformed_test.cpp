#include <gtest/gtest.h>

#include "base/launcher_exception.h"
#include "base/run_state.h"
#include "payload/launcher_file.h"
#include "support/launcher_builder.h"
#include "support/temp_dir.h"

namespace {

// Malformed launcher files: each gives its specified text or result, never a
// crash, a hang or an allocation sized by a bogus count.

const char* const kBadType = "Invalid file type in file index.";

struct LoadResult {
    std::string error;    // empty when the load succeeded
    std::string entries;  // "name:compressed" per entry read, comma-separated
};

LoadResult loadFrom(const std::string& path) {
    runState().launcherFileName = path;
    LauncherFile file;
    LoadResult result;
    try {
        file.load(false);
    } catch (const LauncherException& e) {
        result.error = e.text();
    }
    for (int i = 0; i < file.entryCount(); ++i) {
        const FileIndexEntry& entry = *file.entryAt(i);
        result.entries += (i > 0 ? "," : "") + entry.name + ":" + (entry.compressed ? "1" : "0");
    }
    return result;
}

LoadResult loadBytes(const TempDir& directory, const std::string& bytes) {
    const std::string path = directory.file("malformed.exe");
    writeFile(path, bytes);
    return loadFrom(path);
}

// A launcher file whose index comes last, after the trailer: the file ends
// exactly where the index does.
std::string indexAtTheEnd(const std::string& index) {
    const std::string stub = "MZ";
    return stub + encodeTrailer(0, static_cast<int32_t>(stub.size() + 9)) + index;
}

IndexRecord record(uint8_t fileType, const std::string& name, uint8_t compressedFlag = 0) {
    IndexRecord record;
    record.fileType = fileType;
    record.fileId = 0x01020304;
    record.name = name;
    record.compressedFlag = compressedFlag;
    record.decompressedFileCount = 250;
    record.decompressedSize = 80000000;
    return record;
}

TEST(MalformedLauncherFile, EveryCutThroughTheIndexStopsInItsField) {
    TempDir directory;
    const std::string index =
        fileIndexBytes(2, {record(kFileArchive, "a.tag"), record(kFileJvmInstaller, "jre.exe", 1)});
    // What a file that ends inside (or just before) each field gives.
    const struct {
        size_t size;
        const char* error;
        const char* entries;
    } fields[] = {
        {4, "Unable to read the file count.", ""},
        {1, kBadType, ""},
        {4, "Unable to load file id.", ""},
        {4, "Unable to load file length.", ""},
        {4, "Unable to load offset to file bytes.", ""},
        {2, "Unable to load the string value.", ""},
        {5, kBadType, nullptr},  // a short name, no flag: the next type is missing
        {1, kBadType, "a.tag:0"},
        {1, kBadType, "a.tag:0"},
        {4, "Unable to load file id.", "a.tag:0"},
        {4, "Unable to load file length.", "a.tag:0"},
        {4, "Unable to load offset to file bytes.", "a.tag:0"},
        {2, "Unable to load the string value.", "a.tag:0"},
        {7, "", nullptr},  // the last entry with a short name loads
        {1, "", "a.tag:0,jre.exe:0"},
        {4, "Unable to load decompressed file count.", "a.tag:0"},
        {4, "Unable to load decompressed size.", "a.tag:0"},
    };
    size_t cut = 0;
    for (const auto& field : fields) {
        for (size_t end = cut + field.size; cut < end; ++cut) {
            const LoadResult result = loadBytes(directory, indexAtTheEnd(index.substr(0, cut)));
            EXPECT_EQ(result.error, field.error) << "cut at " << cut;
            if (field.entries != nullptr) {
                EXPECT_EQ(result.entries, field.entries) << "cut at " << cut;
            }
        }
    }
    ASSERT_EQ(cut, index.size());
    const LoadResult whole = loadBytes(directory, indexAtTheEnd(index));
    EXPECT_EQ(whole.error, "");
    EXPECT_EQ(whole.entries, "a.tag:0,jre.exe:1");
}

TEST(MalformedLauncherFile, EveryCutOfAWholeFileLosesTheTrailer) {
    TempDir directory;
    const std::string bytes = readFile(LauncherBuilder(directory)
                                           .add(kFileJvm, 1, "jvm.tag", "JVM_EXE: java\n")
                                           .add(kFileArchive, 2, "a.jar", "PK")
                                           .build());
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        const LoadResult result = loadBytes(directory, bytes.substr(0, cut));
        EXPECT_EQ(result.error, cut < 8 ? "Invalid launcher format." : "") << "cut at " << cut;
        EXPECT_EQ(result.entries, "") << "cut at " << cut;
    }
    EXPECT_EQ(loadBytes(directory, bytes).entries, "jvm.tag:0,a.jar:0");
}

std::string withCount(int32_t count, const std::vector<IndexRecord>& records) {
    return indexAtTheEnd(fileIndexBytes(count, records));
}

TEST(MalformedLauncherFile, BadValuesGiveTheirTextsOrResults) {
    TempDir directory;
    std::string wrongIdentification =
        launcherFileBytes("MZ", fileIndexBytes(1, {record(kFileJvm, "jvm.tag")}));
    wrongIdentification.back() = '\x83';
    const std::string negativeOffset = "MZ" + encodeTrailer(0, -1);
    const std::string offsetBeyond = "MZ" + encodeTrailer(0, 1000);
    std::string hugeNameIndex = fileIndexBytes(1, {record(kFileArchive, "")});
    hugeNameIndex[4 + 1 + 12] = '\xFF';  // name length 65535, few bytes follow
    hugeNameIndex[4 + 1 + 13] = '\xFF';

    const struct {
        const char* what;
        std::string bytes;
        std::string error;
        std::string entries;
    } cases[] = {
        {"wrong identification", wrongIdentification, "", ""},
        {"count 0", withCount(0, {record(kFileJvm, "a")}), "", ""},
        {"count -1", withCount(-1, {record(kFileJvm, "a")}), "", ""},
        {"count -2^31", withCount(INT32_MIN, {record(kFileJvm, "a")}), "", ""},
        {"count 2^31-1", withCount(INT32_MAX, {record(kFileJvm, "a")}), kBadType, "a:0"},
        {"type 9", withCount(1, {record(9, "a")}), kBadType, ""},
        {"type 255", withCount(2, {record(kFileJvm, "a"), record(255, "b")}), kBadType, "a:0"},
        {"flag 2", withCount(2, {record(kFileJvmInstaller, "a", 2), record(kFileJvm, "b", 1)}), "",
         "a:0,b:1"},
        {"name length 0", withCount(2, {record(kFileJvm, ""), record(kFileJvm, "b")}), "",
         ":0,b:0"},
        {"NUL in a name",
         withCount(2, {record(kFileJvm, std::string("ab\0cd", 5)), record(kFileJvm, "e")}), "",
         "ab:0,e:0"},
        {"name length 65535", indexAtTheEnd(hugeNameIndex), "", ":0"},
        {"negative index offset", negativeOffset, "Invalid file index offset.", ""},
        {"index offset beyond the end", offsetBeyond, "Unable to read the file count.", ""},
        {"identification only",
         "\xCA\x82\xCA\x82"
         "abc",
         "Invalid launcher format.", ""},
        {"empty file", "", "Invalid launcher format.", ""},
    };
    for (const auto& c : cases) {
        const LoadResult result = loadBytes(directory, c.bytes);
        EXPECT_EQ(result.error, c.error) << c.what;
        EXPECT_EQ(result.entries, c.entries) << c.what;
    }
    EXPECT_EQ(loadFrom(directory.file("missing.exe")).error, "Cannot open launcher file.");
}

}  // namespace
