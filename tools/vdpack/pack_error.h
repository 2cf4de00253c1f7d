#pragma once
#include <stdexcept>
#include <string>

// Bad input to the packer: a missing file, a value out of range, a payload too
// large for the format.  The text says what and where.
class PackError : public std::runtime_error {
public:
    explicit PackError(const std::string& text) : std::runtime_error(text) {}
};
