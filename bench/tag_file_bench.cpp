// Loads a generated tag file of many tags and prints the time it took, on
// the wall clock and in CPU time (which a busy machine does not inflate).
//   tag_file_bench [tags, default 200000] [directory, default the temp dir]
// One tag in ten is a list of three values and one in ten redefines an
// earlier tag, so lookups, lists and the order rule all take part.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "base/launcher_exception.h"
#include "tagfile/tag_file.h"

namespace {

std::string generatedTagFile(long tags) {
    std::string text;
    for (long i = 0; i < tags; ++i) {
        const long name = i % 10 == 9 ? i / 2 : i;
        if (i % 10 == 3) {
            text += "TAG_" + std::to_string(name) + ":\n  one\n  \"two \"\n  three\n/:\n";
        } else {
            text += "TAG_" + std::to_string(name) + ":  value " + std::to_string(i) + "\n";
        }
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    const long tags = argc > 1 ? std::atol(argv[1]) : 200000;
    const char* directory = argc > 2 ? argv[2] : std::getenv("TMPDIR");
    const std::string path =
        std::string(directory != nullptr && *directory != '\0' ? directory : "/tmp") +
        "/tag_file_bench.tag";
    const std::string text = generatedTagFile(tags);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(text.data(), 1, text.size(), file) != text.size() ||
        std::fclose(file) != 0) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t startCpu = std::clock();
    size_t loaded = 0;
    try {
        const TagFile tagFile(path);
        loaded = tagFile.tags().size();
    } catch (const LauncherException& e) {
        std::fprintf(stderr, "%s\n", e.text().c_str());
        std::remove(path.c_str());
        return 1;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    const double cpu = static_cast<double>(std::clock() - startCpu) / CLOCKS_PER_SEC;
    std::remove(path.c_str());
    std::printf("%ld tags, %zu distinct, %zu bytes: %.3f s (CPU %.3f s)\n", tags, loaded,
                text.size(), elapsed.count(), cpu);
    return 0;
}
