#include "support/temp_dir.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/system.h"

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0;; ++attempt) {
        std::ostringstream name;
        name << "launcher-test-" << stamp << "-" << counter++ << "-" << attempt;
        const fs::path candidate = fs::temp_directory_path() / name.str();
        if (fs::create_directory(candidate)) {
            path_ = candidate.string();
            return;
        }
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempDir::file(const std::string& name) const {
    return path_ + platform::pathSeparator() + name;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool pathExists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(path, ignored);
}

std::map<std::string, std::string> treeContents(const std::string& directory,
                                                const std::string& skippedPrefix) {
    std::map<std::string, std::string> contents;
    for (auto entry = fs::recursive_directory_iterator(directory);
         entry != fs::recursive_directory_iterator(); ++entry) {
        const std::string name = entry->path().filename().string();
        if (!skippedPrefix.empty() && name.rfind(skippedPrefix, 0) == 0) {
            entry.disable_recursion_pending();
            continue;
        }
        const std::string relative = fs::relative(entry->path(), directory).generic_string();
        contents[relative] =
            entry->is_directory() ? "<directory>" : readFile(entry->path().string());
    }
    return contents;
}
