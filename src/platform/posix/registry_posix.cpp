#include <cerrno>

#include "platform/registry.h"

namespace platform {

RegistryRead readRegistryString(RegistryHive, const std::string&, const std::string&) {
    RegistryRead read;
    read.status = ENOENT;
    return read;
}

}  // namespace platform
