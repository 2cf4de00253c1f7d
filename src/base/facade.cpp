#include "base/facade.h"

#include <atomic>

#include "base/launcher.h"
#include "base/messages.h"

namespace {

struct FrontEndState {
    std::unique_ptr<Launcher> launcher;
    bool silent = false;
    int statusMessageId = -1;
    int subStatusMessageId = -1;
    int subStatusType = kSubStatusNone;
    std::string subStatusText;
    std::atomic<bool> cancelRequested{false};
};

FrontEndState& state() {
    static FrontEndState s;
    return s;
}

constexpr int kProductTitleId = 105;

int statusMessageId(int statusCode) {
    switch (statusCode) {
        case kStatusInitializing:
            return 2;
        case kStatusSearching:
            return 3;
        case kStatusNotFound:
            return 6;
        case kStatusRunning:
            return 5;
        case kStatusPreparing:
            return 4;
        default:
            return -1;
    }
}

std::string statusText(Launcher& launcher) {
    const FrontEndState& s = state();
    if (s.statusMessageId <= 0) {
        return std::string();
    }
    return formatMessage(s.statusMessageId, {launcher.getTitle()});
}

std::string subStatusText() {
    const FrontEndState& s = state();
    return formatMessage(s.subStatusMessageId, {s.subStatusText});
}

// The status line, with the detail line when there is one.
void composeStatus(Launcher& launcher) {
    const std::string status = statusText(launcher);
    if (state().subStatusMessageId < 1) {
        launcher.setStatus(status);
    } else {
        launcher.setStatusDetail(status, subStatusText());
    }
}

// Shows the detail line again, when there is one.
void refreshDetail(Launcher& launcher) {
    const std::string status = statusText(launcher);
    if (state().subStatusMessageId > 0) {
        launcher.setStatusDetail(status, subStatusText());
    }
}

// The launcher when output is allowed: one exists and the run is not silent.
Launcher* visibleLauncher() {
    return state().silent ? nullptr : state().launcher.get();
}

}  // namespace

void setCurrentLauncher(std::unique_ptr<Launcher> launcher) {
    state().launcher = std::move(launcher);
}

Launcher* currentLauncher() {
    return state().launcher.get();
}

void setSilent(bool silent) {
    state().silent = silent;
}

bool isSilent() {
    return state().silent;
}

void showStatus(int statusCode) {
    Launcher* launcher = visibleLauncher();
    if (launcher == nullptr) {
        return;
    }
    const int id = statusMessageId(statusCode);
    state().statusMessageId = id;
    if (id < 0) {
        launcher->setStatus(std::string());
        return;
    }
    composeStatus(*launcher);
}

void showSubStatus(int type, const std::string& text) {
    Launcher* launcher = visibleLauncher();
    if (launcher == nullptr) {
        return;
    }
    int id = -1;
    if (type == kSubStatusSearching && !text.empty()) {
        id = 7;
    } else if (type == kSubStatusScanning) {
        id = 25;
    } else if (type == kSubStatusVerifying && !text.empty()) {
        id = 26;
    }
    FrontEndState& s = state();
    s.subStatusMessageId = id;
    s.subStatusType = id < 0 ? kSubStatusNone : type;
    s.subStatusText = id < 0 ? std::string() : text;
    refreshDetail(*launcher);
}

void advanceProgress(int steps) {
    if (Launcher* launcher = visibleLauncher()) {
        launcher->stepProgress(steps);
    }
}

void setProgressPercent(int percent) {
    if (Launcher* launcher = visibleLauncher()) {
        launcher->setProgress(percent);
    }
}

void showProgressWindow() {
    Launcher* launcher = state().launcher.get();
    if (launcher == nullptr) {
        return;
    }
    if (state().silent) {
        launcher->hideWindow(0);
    } else {
        launcher->showWindow();
    }
}

void hideProgressWindow(short delaySeconds) {
    if (Launcher* launcher = state().launcher.get()) {
        launcher->hideWindow(delaySeconds);
    }
}

bool isProgressWindowVisible() {
    Launcher* launcher = state().launcher.get();
    return launcher != nullptr && launcher->isWindowVisible();
}

void reportMessage(const std::string& text) {
    if (Launcher* launcher = visibleLauncher()) {
        launcher->showMessage(text);
    }
}

void applyProductTitle() {
    if (Launcher* launcher = state().launcher.get()) {
        launcher->setTitle(loadMessage(kProductTitleId));
    }
}

std::string askForDirectory() {
    Launcher* launcher = visibleLauncher();
    return launcher == nullptr ? std::string() : launcher->browseForDirectory();
}

bool cancelRequested() {
    return state().cancelRequested.load();
}

void requestCancel() {
    state().cancelRequested.store(true);
}

SubStatusWrapper::SubStatusWrapper() : type_(state().subStatusType), text_(state().subStatusText) {}

SubStatusWrapper::~SubStatusWrapper() {
    try {
        showSubStatus(type_, text_);
    } catch (...) {
        // Restoring a detail line must never end a run; a formatting failure
        // leaves the current line as it is.
    }
}
