#include "support/launcher_builder.h"

LauncherBuilder& LauncherBuilder::stub(const std::string& bytes) {
    stub_ = bytes;
    return *this;
}

LauncherBuilder& LauncherBuilder::kind(int launcherKind) {
    plan_.launcherKind = launcherKind;
    return *this;
}

LauncherBuilder& LauncherBuilder::add(int32_t fileType, int32_t fileId, const std::string& name,
                                      const std::string& content) {
    PackEntry entry;
    entry.path = directory_.file("embedded-" + std::to_string(plan_.entries.size()));
    entry.fileType = fileType;
    entry.fileId = fileId;
    entry.name = name;
    writeFile(entry.path, content);
    plan_.entries.push_back(entry);
    return *this;
}

LauncherBuilder& LauncherBuilder::compressed(int32_t decompressedFileCount,
                                             int32_t decompressedSize) {
    PackEntry& entry = plan_.entries.back();
    entry.compressed = true;
    entry.decompressedFileCount = decompressedFileCount;
    entry.decompressedSize = decompressedSize;
    return *this;
}

std::string LauncherBuilder::build(const std::string& fileName) const {
    PackPlan plan = plan_;
    plan.stub = directory_.file("stub");
    writeFile(plan.stub, stub_);
    const std::string path = directory_.file(fileName);
    writeLauncherFile(plan, path);
    return path;
}

std::string LauncherBuilder::buildUnchecked(const std::string& fileName) const {
    std::string body = stub_;
    std::vector<IndexRecord> records;
    for (const PackEntry& entry : plan_.entries) {
        const std::string content = readFile(entry.path);
        IndexRecord record;
        record.fileType = static_cast<uint8_t>(entry.fileType);
        record.fileId = entry.fileId;
        record.offset = static_cast<int32_t>(body.size());
        record.length = static_cast<int32_t>(content.size());
        record.name = entry.name;
        record.compressedFlag = entry.compressed ? 1 : 0;
        record.decompressedFileCount = entry.decompressedFileCount;
        record.decompressedSize = entry.decompressedSize;
        records.push_back(record);
        body += content;
    }
    const std::string path = directory_.file(fileName);
    writeFile(path,
              launcherFileBytes(body, fileIndexBytes(static_cast<int32_t>(records.size()), records),
                                static_cast<uint8_t>(plan_.launcherKind)));
    return path;
}

std::string fileIndexBytes(int32_t fileCount, const std::vector<IndexRecord>& records) {
    std::string bytes;
    appendBigEndian32(bytes, static_cast<uint32_t>(fileCount));
    for (const IndexRecord& record : records) {
        bytes += encodeIndexRecord(record);
    }
    return bytes;
}

std::string launcherFileBytes(const std::string& body, const std::string& index,
                              uint8_t launcherKind) {
    return body + index + encodeTrailer(launcherKind, static_cast<int32_t>(body.size()));
}
