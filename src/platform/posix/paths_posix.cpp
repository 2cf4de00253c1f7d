#include <limits.h>

#include "platform/file_system.h"
#include "platform/paths.h"

namespace platform {

std::string absolutePath(const std::string& path) {
    if (path.empty() || path[0] == '/') {
        return path;
    }
    return currentDirectory() + "/" + path;
}

std::size_t maxPathLength() {
    return PATH_MAX;
}

}  // namespace platform
