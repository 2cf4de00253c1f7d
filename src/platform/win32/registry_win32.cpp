#include <windows.h>

#include <vector>

#include "platform/registry.h"

namespace platform {

namespace {

// The predefined keys are sign-extended 32-bit values.
HKEY rootKey(RegistryHive hive) {
    return reinterpret_cast<HKEY>(
        static_cast<ULONG_PTR>(static_cast<LONG>(static_cast<uint32_t>(hive))));
}

}  // namespace

RegistryRead readRegistryString(RegistryHive hive, const std::string& keyPath,
                                const std::string& valueName) {
    RegistryRead read;
    HKEY key = nullptr;
    read.status = RegOpenKeyExA(rootKey(hive), keyPath.c_str(), 0, KEY_READ, &key);
    if (read.status != ERROR_SUCCESS) {
        return read;
    }
    read.keyOpened = true;
    DWORD size = 0;
    read.status = RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr, nullptr, &size);
    if (read.status == ERROR_SUCCESS) {
        std::vector<char> buffer(size + 1, '\0');
        read.status = RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (read.status == ERROR_SUCCESS) {
            read.text = buffer.data();
        }
    }
    RegCloseKey(key);
    return read;
}

}  // namespace platform
