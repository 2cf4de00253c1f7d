#include <dirent.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "program_support.h"

std::string ownPath() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

std::filesystem::path ownFile() {
    return ownPath();
}

bool writeStream(int stream, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = write(stream, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(count);
    }
    return true;
}

void sleepFor(unsigned milliseconds) {
    timespec delay{static_cast<time_t>(milliseconds / 1000),
                   static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&delay, &delay) != 0 && errno == EINTR) {
    }
}

bool startCopy(const std::vector<std::string>& arguments) {
    const std::string program = ownPath();
    std::vector<std::string> copy = arguments;
    copy.insert(copy.begin(), program);
    std::vector<char*> argv;
    for (std::string& argument : copy) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return pid > 0;
}

int pipesBesideStandardStreams() {
    DIR* directory = opendir("/proc/self/fd");
    if (directory == nullptr) {
        return -1;
    }
    int count = 0;
    while (const dirent* entry = readdir(directory)) {
        const int descriptor = std::atoi(entry->d_name);
        struct stat status;
        if (descriptor > 2 && descriptor != dirfd(directory) && fstat(descriptor, &status) == 0 &&
            S_ISFIFO(status.st_mode)) {
            ++count;
        }
    }
    closedir(directory);
    return count;
}
