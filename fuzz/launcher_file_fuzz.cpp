// Fuzzes the launcher file reader: the input is a whole launcher file (as if
// bytes had been appended to a program), read with its tag files.  Any bytes
// either load or stop with a LauncherException; the index lookups then hold.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/launcher_exception.h"
#include "base/run_state.h"
#include "payload/launcher_file.h"

namespace {

// The launcher file of the current input; removed when the fuzzer ends.
class ScratchFile {
public:
    ScratchFile() {
        const char* directory = std::getenv("TMPDIR");
        path_ = std::string(directory != nullptr && *directory != '\0' ? directory : "/tmp") +
                "/launcher_file_fuzz." + std::to_string(getpid()) + ".exe";
    }
    ~ScratchFile() { std::remove(path_.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

const std::string& scratchFile() {
    static const ScratchFile file;
    return file.path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(scratchFile().c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    runState().launcherFileName = scratchFile();

    LauncherFile launcher;
    try {
        launcher.load(true);
    } catch (const LauncherException&) {
        return 0;
    }
    for (int i = 0; i < launcher.entryCount(); ++i) {
        const FileIndexEntry* entry = launcher.entryAt(i);
        if (entry == nullptr || launcher.entryWithId(entry->fileId) == nullptr) {
            std::abort();
        }
    }
    readLauncherKind(scratchFile());
    return 0;
}
