#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "vdpack/pack_error.h"

// Writes launcher files: the stub (the launcher program), the embedded files,
// the file index, the launcher kind byte and the trailer.

// A file to embed.
struct PackEntry {
    std::string path;  // the file whose bytes are embedded
    int32_t fileType = -1;
    int32_t fileId = 0;
    std::string name;  // the stored name; empty means the file's base name
    bool compressed = false;
    int32_t decompressedFileCount = 0;
    int32_t decompressedSize = 0;
};

struct PackPlan {
    std::string stub;
    int launcherKind = 0;
    std::vector<PackEntry> entries;
};

// The name an entry is stored under.
std::string storedName(const PackEntry& entry);

// Checks the plan and writes the launcher file, streaming the files' bytes.
// The output appears only when complete (it may be one of the inputs).
// Throws PackError.
void writeLauncherFile(const PackPlan& plan, const std::string& output);
