#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "vdpack/payload_format.h"
#include "vdpack/payload_writer.h"

// Builds launcher files for tests with the packer: the files to embed are
// written into the test's directory, then packed behind a small stub.
class LauncherBuilder {
public:
    explicit LauncherBuilder(const TempDir& directory) : directory_(directory) {}

    LauncherBuilder& stub(const std::string& bytes);
    LauncherBuilder& kind(int launcherKind);
    // Adds an embedded file with these bytes, stored under `name`.
    LauncherBuilder& add(int32_t fileType, int32_t fileId, const std::string& name,
                         const std::string& content);
    // Marks the file added last as compressed.
    LauncherBuilder& compressed(int32_t decompressedFileCount, int32_t decompressedSize);

    // Writes the launcher file into the directory; returns its path.  Throws
    // PackError as the packer does.
    std::string build(const std::string& fileName = "launcher.exe") const;
    // The same layout written with the payload encoders, without the
    // packer's checks, so that names it refuses can be stored.
    std::string buildUnchecked(const std::string& fileName = "launcher.exe") const;

    const PackPlan& plan() const { return plan_; }

private:
    const TempDir& directory_;
    std::string stub_ = "MZ launcher stub\n";
    PackPlan plan_;
};

// Hand-made launcher files, also malformed ones.

// The file index: the file count as given, then the records.
std::string fileIndexBytes(int32_t fileCount, const std::vector<IndexRecord>& records);
// `body`, then the index, the launcher kind byte and a trailer that points at
// the index.
std::string launcherFileBytes(const std::string& body, const std::string& index,
                              uint8_t launcherKind = 0);
