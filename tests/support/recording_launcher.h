#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/argument_list.h"
#include "base/facade.h"
#include "base/launcher.h"

// A front end that records every call as one line of text, for tests of
// the code that talks to the user.
class RecordingLauncher : public Launcher {
public:
    explicit RecordingLauncher(std::vector<std::string>* calls)
        : Launcher(arguments_), calls_(calls) {}

    bool initialize(void*, int) override { return true; }
    int run() override { return 0; }
    void setStatus(const std::string& text) override { record("status:" + text); }
    void setStatusDetail(const std::string& text, const std::string& detail) override {
        record("detail:" + text + "|" + detail);
    }
    void stepProgress(int steps) override { record("step:" + std::to_string(steps)); }
    void setProgress(int percent) override { record("progress:" + std::to_string(percent)); }
    void showWindow() override { record("show"); }
    void hideWindow(short delay) override { record("hide:" + std::to_string(delay)); }
    bool isWindowVisible() override { return false; }
    void showMessage(const std::string& text) override { record("message:" + text); }
    std::string getTitle() override { return title_; }
    void setTitle(const std::string& text) override {
        title_ = text;
        record("title:" + text);
    }
    std::string browseForDirectory() override {
        record("browse");
        return "chosen";
    }

private:
    void record(const std::string& call) { calls_->push_back(call); }

    static inline const ArgumentList arguments_{};
    std::vector<std::string>* calls_;
    std::string title_;
};

// Makes a recording front end with the given title the current launcher,
// not silent and with no status or detail line; `calls` then starts empty.
inline void useRecordingLauncher(std::vector<std::string>* calls,
                                 const std::string& title = "Wizard") {
    auto launcher = std::make_unique<RecordingLauncher>(calls);
    launcher->setTitle(title);
    setCurrentLauncher(std::move(launcher));
    setSilent(false);
    showSubStatus(kSubStatusNone, "");
    showStatus(-1);
    calls->clear();
}
