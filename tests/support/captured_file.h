#pragma once
#include <cstdio>
#include <string>

// A temporary binary stream standing in for standard output or input, so
// tests see exactly the bytes a front end writes.
class CapturedFile {
public:
    CapturedFile() : file_(std::tmpfile()) {}
    explicit CapturedFile(const std::string& contents) : CapturedFile() {
        std::fwrite(contents.data(), 1, contents.size(), file_);
        std::rewind(file_);
    }
    ~CapturedFile() { std::fclose(file_); }
    CapturedFile(const CapturedFile&) = delete;
    CapturedFile& operator=(const CapturedFile&) = delete;

    std::FILE* get() const { return file_; }
    // Everything written so far.
    std::string contents() const {
        std::fflush(file_);
        const long end = std::ftell(file_);
        std::string bytes(end > 0 ? end : 0, '\0');
        std::rewind(file_);
        const size_t read = std::fread(&bytes[0], 1, bytes.size(), file_);
        bytes.resize(read);
        std::fseek(file_, 0, SEEK_END);
        return bytes;
    }

private:
    std::FILE* file_;
};
