// Extracts one entry of a launcher file and prints the time it took.
//   extraction_bench <launcher file> <offset> <length> <target directory>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "base/launcher_exception.h"
#include "base/run_state.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s <launcher file> <offset> <length> <directory>\n", argv[0]);
        return 2;
    }
    runState().launcherFileName = argv[1];
    FileIndexEntry entry;
    entry.fileType = kFileArchive;
    entry.name = "extracted.bin";
    entry.offset = std::atoi(argv[2]);
    entry.length = std::atoi(argv[3]);
    const auto start = std::chrono::steady_clock::now();
    try {
        extract(entry, argv[4]);
    } catch (const LauncherException& e) {
        std::fprintf(stderr, "%s\n", e.text().c_str());
        return 1;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("%.6f\n", elapsed.count());
    return 0;
}
