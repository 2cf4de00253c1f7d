#include <cerrno>

#include "platform/registry.h"

namespace platform {

RegistryRead readRegistryString(RegistryHive, RegistryView, const std::string&,
                                const std::string&) {
    RegistryRead read;
    read.status = ENOENT;
    return read;
}

RegistrySubkeys listRegistrySubkeys(RegistryHive, RegistryView, const std::string&) {
    RegistrySubkeys subkeys;
    subkeys.status = ENOENT;
    return subkeys;
}

}  // namespace platform
