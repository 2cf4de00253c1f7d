#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Reading string values and listing subkeys in the Windows registry.  POSIX has no registry:
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

// Which registry a 64-bit program sees: its own or the one of 32-bit programs.
enum class RegistryView { k64Bit, k32Bit };

struct RegistryRead {
    bool keyOpened = false;
    unsigned long status = 0;  // 0, or the system error code of the failed step
    std::string text;          // the value's bytes up to the first NUL, whatever its type
};

// Opens the key in the view with read access and reads the value (the empty
// name is the key's default value); the key is closed again.
RegistryRead readRegistryString(RegistryHive hive, RegistryView view, const std::string& keyPath,
                                const std::string& valueName);

struct RegistrySubkeys {
    unsigned long status = 0;        // 0, or the system error code of the failed step
    std::vector<std::string> names;  // in the order the system lists them
};

// Opens the key in the view and lists the names of its subkeys; a key
// without subkeys answers the system's error for a missing key.
RegistrySubkeys listRegistrySubkeys(RegistryHive hive, RegistryView view,
                                    const std::string& keyPath);

}  // namespace platform
