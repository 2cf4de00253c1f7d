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

LONG openKey(RegistryHive hive, RegistryView view, const std::string& keyPath, HKEY& key) {
    const REGSAM viewFlag = view == RegistryView::k32Bit ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    return RegOpenKeyExA(rootKey(hive), keyPath.c_str(), 0, KEY_READ | viewFlag, &key);
}

}  // namespace

RegistryRead readRegistryString(RegistryHive hive, RegistryView view, const std::string& keyPath,
                                const std::string& valueName) {
    RegistryRead read;
    HKEY key = nullptr;
    read.status = openKey(hive, view, keyPath, key);
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

RegistrySubkeys listRegistrySubkeys(RegistryHive hive, RegistryView view,
                                    const std::string& keyPath) {
    RegistrySubkeys subkeys;
    HKEY key = nullptr;
    subkeys.status = openKey(hive, view, keyPath, key);
    if (subkeys.status != ERROR_SUCCESS) {
        return subkeys;
    }
    // A name is at most 255 characters; in UTF-8 each may take 3 bytes.
    std::vector<char> name(1024);
    for (DWORD index = 0;; ++index) {
        DWORD size = static_cast<DWORD>(name.size());
        const LONG status =
            RegEnumKeyExA(key, index, name.data(), &size, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (status != ERROR_SUCCESS) {
            subkeys.status = status;
            break;
        }
        subkeys.names.emplace_back(name.data(), size);
    }
    RegCloseKey(key);
    if (subkeys.status == ERROR_SUCCESS && subkeys.names.empty()) {
        subkeys.status = ERROR_FILE_NOT_FOUND;
    }
    return subkeys;
}

}  // namespace platform
