#include "platform/java_paths.h"

namespace platform {

std::vector<std::string> javaProgramDirectories() {
    return {};
}

}  // namespace platform
