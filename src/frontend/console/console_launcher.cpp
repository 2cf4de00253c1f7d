#include "frontend/console/console_launcher.h"

#include "app/run.h"
#include "base/line_output.h"
#include "base/messages.h"
#include "platform/paths.h"
#include "tagfile/text_utils.h"

namespace {

constexpr int kDotsPerLine = 70;
constexpr int kDirectoryPromptId = 30;

// One line of the input, trimmed: empty at the end of the input, and for a
// line longer than `limit`, since a cut one would name another directory.
std::string readAnswer(std::FILE* in, std::size_t limit) {
    int c = std::getc(in);
    while (c != EOF && c != '\n' && isBlank(static_cast<char>(c))) {
        c = std::getc(in);
    }
    std::string line;
    bool tooLong = false;
    for (; c != EOF && c != '\n'; c = std::getc(in)) {
        if (line.size() < limit) {
            line += static_cast<char>(c);
        } else if (!isBlank(static_cast<char>(c))) {
            tooLong = true;
        }
    }
    return tooLong ? std::string() : trim(line);
}

}  // namespace

bool ConsoleLauncher::initialize(void*, int) {
    return true;
}

int ConsoleLauncher::run() {
    return runFrontEnd(arguments(), [this](const std::string& message) { showMessage(message); });
}

void ConsoleLauncher::printLine(const std::string& text) {
    writeLine(out_, text);
    std::fflush(out_);
    atLineStart_ = true;
}

void ConsoleLauncher::endOpenLine() {
    if (!atLineStart_) {
        printLine(std::string());
    }
}

void ConsoleLauncher::setStatus(const std::string& text) {
    endOpenLine();
    printLine(text);
}

void ConsoleLauncher::setStatusDetail(const std::string&, const std::string& detail) {
    endOpenLine();
    printLine(detail);
}

void ConsoleLauncher::stepProgress(int steps) {
    for (int i = 0; i < steps; ++i) {
        ++progress_;
        if (progress_ > 0 && progress_ % kDotsPerLine == 0) {
            printLine(".");
        } else {
            std::fputs(".", out_);
            std::fflush(out_);
            atLineStart_ = false;
        }
    }
}

void ConsoleLauncher::setProgress(int percent) {
    if (progress_ == 100 || percent > progress_) {
        printLine(std::string());
    }
    progress_ = percent;
}

std::string ConsoleLauncher::browseForDirectory() {
    std::fputs(loadMessage(kDirectoryPromptId).c_str(), out_);
    std::fflush(out_);
    atLineStart_ = false;
    return readAnswer(in_, platform::maxPathLength());
}
