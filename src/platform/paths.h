#pragma once
#include <cstddef>
#include <string>

// Paths as the system resolves and limits them.
namespace platform {

// The path made absolute against this process's current directory (on
// Windows as the system does it, for a drive-relative path too); an empty
// path stays empty.
std::string absolutePath(const std::string& path);

// The longest path the system's file calls take, in characters.
std::size_t maxPathLength();

}  // namespace platform
