#pragma once
#include <cstdio>
#include <string>

#include "base/launcher.h"

// The front end chosen by "-console": status lines and progress dots go to
// standard output, the directory prompt reads standard input.
class ConsoleLauncher : public Launcher {
public:
    explicit ConsoleLauncher(const ArgumentList& arguments, std::FILE* out = stdout,
                             std::FILE* in = stdin)
        : Launcher(arguments), out_(out), in_(in) {}

    bool initialize(void* module, int showCommand) override;
    int run() override;
    void setStatus(const std::string& text) override;
    void setStatusDetail(const std::string& text, const std::string& detail) override;
    void stepProgress(int steps) override;
    void setProgress(int percent) override;
    void showWindow() override { visible_ = true; }
    void hideWindow(short) override { visible_ = false; }
    bool isWindowVisible() override { return visible_; }
    void showMessage(const std::string& text) override { printLine(text); }
    std::string getTitle() override { return title_; }
    void setTitle(const std::string& text) override { title_ = text; }
    std::string browseForDirectory() override;

private:
    void printLine(const std::string& text);
    void endOpenLine();

    std::FILE* out_;
    std::FILE* in_;
    int progress_ = 0;
    bool visible_ = false;
    std::string title_;
    bool atLineStart_ = false;
};
