#pragma once
#include <cstdint>
#include <string>

// Reading string values from the Windows registry.  POSIX has no registry:
// every key is missing there.
namespace platform {

// The root keys, by their Windows values.
enum class RegistryHive : uint32_t {
    kClassesRoot = 0x80000000u,
    kCurrentUser = 0x80000001u,
    kLocalMachine = 0x80000002u,
    kUsers = 0x80000003u,
    kCurrentConfig = 0x80000005u,
};

struct RegistryRead {
    bool keyOpened = false;
    unsigned long status = 0;  // 0, or the system error code of the failed step
    std::string text;          // the value's bytes up to the first NUL, whatever its type
};

// Opens the key with read access and reads the value (the empty name is the
// key's default value); the key is closed again.
RegistryRead readRegistryString(RegistryHive hive, const std::string& keyPath,
                                const std::string& valueName);

}  // namespace platform
