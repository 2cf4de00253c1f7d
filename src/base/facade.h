#pragma once
#include <memory>
#include <string>

class Launcher;

// The launcher facade: the only way the rest of the launcher reaches the
// current front end.  While silent, visible output is suppressed.
void setCurrentLauncher(std::unique_ptr<Launcher> launcher);
Launcher* currentLauncher();

void setSilent(bool silent);
bool isSilent();

// Status codes of showStatus.
enum StatusCode {
    kStatusInitializing = 0,
    kStatusSearching = 1,
    kStatusNotFound = 2,
    kStatusRunning = 3,
    kStatusPreparing = 4
};
// Sub-status types of showSubStatus.
enum SubStatusType {
    kSubStatusNone = 0,
    kSubStatusSearching = 1,
    kSubStatusScanning = 2,
    kSubStatusVerifying = 3
};

void showStatus(int statusCode);
void showSubStatus(int type, const std::string& text);
void advanceProgress(int steps);
void setProgressPercent(int percent);
void showProgressWindow();
void hideProgressWindow(short delaySeconds);
bool isProgressWindowVisible();
void reportMessage(const std::string& text);
void applyProductTitle();
std::string askForDirectory();

// The cancel request flag: set by the progress window's thread, polled by
// long operations on the run's thread.
bool cancelRequested();
void requestCancel();

// Restores the sub-status that was current when it was made.
class SubStatusWrapper {
public:
    SubStatusWrapper();
    ~SubStatusWrapper();
    SubStatusWrapper(const SubStatusWrapper&) = delete;
    SubStatusWrapper& operator=(const SubStatusWrapper&) = delete;

private:
    int type_;
    std::string text_;
};
