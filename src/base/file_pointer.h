#pragma once
#include <cstdio>
#include <memory>

// A stream that is closed when it goes out of scope, however the scope ends.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;
