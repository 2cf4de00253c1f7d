#include "base/path_text.h"

#include "platform/system.h"

std::string ensureTrailingSeparator(const std::string& path) {
    const char separator = platform::pathSeparator();
    if (path.empty() || path.back() == separator) {
        return path;
    }
    return path + separator;
}

std::string directoryPart(const std::string& path) {
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string namePart(const std::string& path) {
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string joinPath(const std::string& directory, const std::string& name) {
    return ensureTrailingSeparator(directory) + name;
}
