#pragma once
#include <sys/types.h>

#include <cstddef>

namespace platform {

// The system calls a FileCopier makes, the real ones unless a test has put
// others in their place (to feign short counts and refusals).
struct CopyCalls {
    ssize_t (*copyFileRange)(int in, off_t* inOffset, int out, size_t size);
    ssize_t (*sendFile)(int out, int in, off_t* inOffset, size_t size);
    ssize_t (*readAt)(int in, void* buffer, size_t size, off_t offset);
    ssize_t (*write)(int out, const void* buffer, size_t size);
};

// Process-wide; a test that changes it puts the real calls back with
// realCopyCalls().
CopyCalls& copyCalls();
CopyCalls realCopyCalls();

}  // namespace platform
