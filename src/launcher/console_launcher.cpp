#include "launcher/console_launcher.h"

#include "launcher/messages.h"
#include "launcher/run.h"

namespace {

constexpr int kDotsPerLine = 70;
constexpr int kDirectoryPromptId = 30;

}  // namespace

bool ConsoleLauncher::initialize(void*, int) {
    return true;
}

int ConsoleLauncher::run() {
    return runFrontEnd(arguments(), [this](const std::string& message) { showMessage(message); });
}

void ConsoleLauncher::printLine(const std::string& text) {
    std::fprintf(out_, "%s\n", text.c_str());
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
    char word[1024] = {};
    if (std::fscanf(in_, "%1023s", word) != 1) {
        return std::string();
    }
    return word;
}
