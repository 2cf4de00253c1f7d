#include "base/log.h"

#include <cstdio>

#include "base/line_output.h"
#include "platform/text_encoding.h"

namespace {

struct LogState {
    std::string fileName;
    bool separatorWritten = false;
    bool debugLogOn = false;
    std::string debugFileName;
};

LogState& state() {
    static LogState s;
    return s;
}

const char* prefixFor(int level) {
    switch (level) {
        case kLogWarning:
            return "WARNING: ";
        case kLogError:
            return "ERROR: ";
        default:
            return "";
    }
}

}  // namespace

void setLogFile(const std::string& fileName) {
    state().fileName = fileName;
}

const std::string& logFileName() {
    return state().fileName;
}

void writeLog(const std::string& text, int level) {
    LogState& s = state();
    if (s.fileName.empty()) {
        return;
    }
    std::FILE* file = std::fopen(s.fileName.c_str(), "a");
    if (file == nullptr) {
        return;
    }
    if (!s.separatorWritten) {
        std::fputs("------------------\n", file);
        s.separatorWritten = true;
    }
    writeLine(file, prefixFor(level) + platform::utf8FromNarrow(text));
    std::fflush(file);
    std::fclose(file);
}

void enableDebugLog(const std::string& fileName) {
    LogState& s = state();
    s.debugLogOn = true;
    s.debugFileName = fileName.size() <= 259 ? fileName : std::string();
}

bool debugLogOn() {
    return state().debugLogOn;
}

void writeDebugLog(const std::string& text, bool withLineEnd) {
    const LogState& s = state();
    if (s.debugFileName.empty()) {
        return;
    }
    std::FILE* file = std::fopen(s.debugFileName.c_str(), "a");
    if (file == nullptr) {
        return;
    }
    const std::string written = platform::utf8FromNarrow(text);
    if (withLineEnd) {
        writeLine(file, written);
    } else {
        std::fputs(written.c_str(), file);
    }
    std::fclose(file);
}
