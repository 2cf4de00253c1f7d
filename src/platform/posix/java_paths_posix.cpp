#include <unistd.h>

#include <cstdlib>

#include "platform/java_paths.h"

namespace platform {

std::vector<std::string> javaProgramDirectories() {
    std::vector<std::string> directories;
    const char* searchPath = std::getenv("PATH");
    if (searchPath == nullptr) {
        return directories;
    }
    const std::string list = searchPath;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(':', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        const std::string directory = list.substr(start, end - start);
        if (!directory.empty() && directory[0] == '/' &&
            access((directory + "/java").c_str(), X_OK) == 0) {
            directories.push_back(directory);
        }
        start = end + 1;
    }
    return directories;
}

}  // namespace platform
