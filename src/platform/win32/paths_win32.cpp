#include "platform/paths.h"
#include "platform/win32/wide_text.h"

namespace platform {

std::string absolutePath(const std::string& path) {
    return path.empty() ? path : narrowed(fullPath(widened(path)));
}

std::size_t maxPathLength() {
    return 32767;  // with the "\\?\" prefix that widePath adds
}

}  // namespace platform
