#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "platform/environment.h"
#include "platform/module.h"
#include "platform/system.h"

namespace platform {

bool isOldPlatformFamily() {
    return false;
}

void breakIntoDebugger() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("TracerPid:", 0) == 0 && std::atoi(line.c_str() + 10) != 0) {
            raise(SIGTRAP);
            return;
        }
    }
}

void restrictDllSearchToSystemDirectory() {
    // Shared objects are found through the dynamic linker's own paths; there
    // is no program-directory search to turn off.
}

void matchConsoleToCodePage() {
    // A terminal shows the locale's characters already.
}

std::vector<std::string> processArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

std::string narrowCommandLine() {
    // Only the Windows 9x family splits its own command line.
    return std::string();
}

std::string runningProgramPath() {
    std::string path(256, '\0');
    while (true) {
        const ssize_t length = readlink("/proc/self/exe", &path[0], path.size());
        if (length < 0) {
            return std::string();
        }
        if (static_cast<size_t>(length) < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

char pathSeparator() {
    return '/';
}

unsigned long lastErrorCode() {
    return static_cast<unsigned long>(errno);
}

std::string systemErrorText(unsigned long code) {
    return std::strerror(static_cast<int>(code));
}

void sleepMilliseconds(unsigned milliseconds) {
    timespec delay{static_cast<time_t>(milliseconds / 1000),
                   static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&delay, &delay) != 0 && errno == EINTR) {
    }
}

std::string getEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value == nullptr ? std::string() : value;
}

bool hasEnvironment(const std::string& name) {
    return std::getenv(name.c_str()) != nullptr;
}

void setEnvironment(const std::string& name, const std::string& value) {
    setenv(name.c_str(), value.c_str(), 1);
}

void unsetEnvironment(const std::string& name) {
    unsetenv(name.c_str());
}

void* programModule() {
    return nullptr;
}

}  // namespace platform
