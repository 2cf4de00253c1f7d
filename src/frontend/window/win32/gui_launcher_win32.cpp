#include <windows.h>
// After windows.h, which they need:
#include <commctrl.h>
#include <shlobj.h>

#include <atomic>
#include <string>

#include "app/argument_list.h"
#include "app/run.h"
#include "base/facade.h"
#include "base/launcher.h"
#include "base/launcher_exception.h"
#include "base/messages.h"
#include "frontend/window/cancel_hook.h"
#include "frontend/window/gui_launcher.h"
#include "frontend/window/progress_dialog.h"
#include "payload/cleanup.h"
#include "payload/launcher_file.h"
#include "platform/system.h"
#include "platform/win32/wide_text.h"

namespace {

constexpr int kClassNameMessage = 1;
constexpr int kNoProgressBarMessage = 20;
constexpr int kFolderPromptMessage = 30;
constexpr int kExplanationMessage = 31;
constexpr int kApplicationIcon = 32512;  // IDI_APPLICATION
constexpr int kArrowCursor = 32512;      // IDC_ARROW
constexpr int kTitleLength = 512;

// Timers belong to the thread of their window, so the worker asks the dialog
// to arm and stop them.  kArmTimers carries the hide delay in seconds.
constexpr UINT kArmTimers = WM_APP + 1;
constexpr UINT kStopTimers = WM_APP + 2;
// The bar shows the position the run last gave it.  The worker posts this
// rather than sending the bar its position block by block: a stream of sent
// messages is served before anything posted or typed, and the click on
// Cancel would wait until the extraction is over.  One is pending at most.
constexpr UINT kShowBarPosition = WM_APP + 3;

// The windowed front end's process-wide state.  The main thread writes the
// handles before it starts the worker; the worker writes the exit code
// before it posts the end of the run.
struct WindowState {
    HINSTANCE module = nullptr;
    std::wstring className;
    std::atomic<HWND> mainWindow{nullptr};
    std::atomic<HWND> dialog{nullptr};
    HANDLE worker = nullptr;
    DWORD workerId = 0;
    std::atomic<int> exitCode{0};
    bool firstCreation = true;
    std::atomic<int> barPosition{0};
    std::atomic<bool> barUpdatePending{false};
};

WindowState& windowState() {
    static WindowState state;
    return state;
}

HWND progressDialog() {
    return windowState().dialog.load();
}

// A console that only the launcher is attached to was opened for it by the
// system (a start from Explorer or a shortcut): it is let go, so the user sees
// only the dialog.  A command prompt's console is shared and stays.
void releaseConsoleOwnedAlone() {
    DWORD processes[2];
    if (GetConsoleProcessList(processes, 2) == 1) {
        FreeConsole();
    }
}

void centreOnScreen(HWND window) {
    RECT bounds;
    if (!GetWindowRect(window, &bounds)) {
        return;
    }
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    MoveWindow(window, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, FALSE);
}

void stopTimers() {
    if (HWND dialog = progressDialog()) {
        SendMessageW(dialog, kStopTimers, 0, 0);
    }
}

INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (message) {
        case WM_INITDIALOG:
            SetDlgItemTextW(dialog, kExplanationControl,
                            platform::widened(loadMessage(kExplanationMessage)).c_str());
            return TRUE;
        case WM_CLOSE:
            // The dialog stays; the run notices the request and ends.
            requestCancel();
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == kCancelControl) {
                requestCancel();
            }
            return TRUE;
        case WM_TIMER:
            switch (timerAction(static_cast<unsigned>(wParam))) {
                case TimerAction::kHideAndStop:
                    ShowWindow(dialog, SW_HIDE);
                    KillTimer(dialog, kProgressTimer);
                    KillTimer(dialog, kHideTimer);
                    break;
                case TimerAction::kAdvanceProgress:
                    try {
                        advanceProgress(kProgressTimerSteps);
                    } catch (...) {
                        // A bar that is gone simply stops moving.
                    }
                    break;
                case TimerAction::kNone:
                    break;
            }
            return TRUE;
        case kArmTimers:
            SetTimer(dialog, kHideTimer, hideTimerPeriod(static_cast<short>(wParam)), nullptr);
            SetTimer(dialog, kProgressTimer, kProgressTimerPeriod, nullptr);
            return TRUE;
        case kStopTimers:
            KillTimer(dialog, kHideTimer);
            KillTimer(dialog, kProgressTimer);
            return TRUE;
        case kShowBarPosition:
            windowState().barUpdatePending = false;
            SendDlgItemMessageW(dialog, kProgressBarControl, PBM_SETPOS,
                                static_cast<WPARAM>(windowState().barPosition.load()), 0);
            return TRUE;
        default:
            return FALSE;
    }
}

// The windowed front end: a hidden main window whose creation makes the
// progress dialog and starts the worker thread that performs the run; the
// main thread runs the message loop until the worker is done.
class GuiLauncher : public Launcher {
public:
    using Launcher::Launcher;

    bool initialize(void* module, int showCommand) override;
    int run() override;
    void setStatus(const std::string& text) override;
    void setStatusDetail(const std::string& text, const std::string& detail) override;
    void stepProgress(int steps) override;
    void setProgress(int percent) override;
    void showWindow() override;
    void hideWindow(short delaySeconds) override;
    bool isWindowVisible() override;
    void showMessage(const std::string& text) override;
    std::string getTitle() override;
    void setTitle(const std::string& text) override;
    std::string browseForDirectory() override;

private:
    static LRESULT CALLBACK mainWindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam);
    static void createProgressDialog(HWND window, void* launcher);
    static DWORD WINAPI work(void* launcher);
    static HWND dialogWithBar();
    static void showBarPosition(HWND dialog);
};

bool GuiLauncher::initialize(void* module, int) {
    WindowState& state = windowState();
    state.module = static_cast<HINSTANCE>(module);
    releaseConsoleOwnedAlone();
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    state.className = platform::widened(loadMessage(kClassNameMessage));
    WNDCLASSW windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = mainWindowProcedure;
    windowClass.hInstance = state.module;
    windowClass.hIcon = LoadIconW(state.module, MAKEINTRESOURCEW(kApplicationIcon));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(kArrowCursor));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = state.className.c_str();
    RegisterClassW(&windowClass);

    HWND window = CreateWindowExW(0, state.className.c_str(), L"", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  nullptr, nullptr, state.module, this);
    if (window == nullptr) {
        return false;
    }
    state.mainWindow = window;
    ShowWindow(window, SW_HIDE);
    UpdateWindow(window);
    return true;
}

void GuiLauncher::createProgressDialog(HWND window, void* launcher) {
    WindowState& state = windowState();
    int kind = -1;
    try {
        kind = readLauncherKind(platform::runningProgramPath());
    } catch (...) {
        // A launcher file that cannot be read shows the short layout; the run
        // reports the problem itself.
    }
    // No owner: the main window stays hidden, and the dialog keeps a taskbar
    // button of its own.
    HWND dialog = CreateDialogParamW(state.module, MAKEINTRESOURCEW(progressTemplateFor(kind)),
                                     nullptr, dialogProcedure, 0);
    state.dialog = dialog;
    if (dialog != nullptr) {
        ShowWindow(dialog, SW_HIDE);
        centreOnScreen(dialog);
    }
    // Stored here, before the worker exists, so that the worker's end-of-run
    // notice always finds the window.
    state.mainWindow = window;
    if (state.firstCreation) {
        state.firstCreation = false;
        state.worker = CreateThread(nullptr, 0, work, launcher, 0, &state.workerId);
        if (state.worker == nullptr) {
            state.exitCode = -1;
            PostMessageW(window, WM_DESTROY, 0, 0);
        }
    }
}

LRESULT CALLBACK GuiLauncher::mainWindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
    WindowState& state = windowState();
    switch (message) {
        case WM_CREATE: {
            const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
            createProgressDialog(window,
                                 reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
            return result;
        }
        case WM_DESTROY: {
            HWND dialog = state.dialog.exchange(nullptr);
            if (dialog != nullptr && IsWindow(dialog)) {
                DestroyWindow(dialog);
            }
            if (state.worker != nullptr) {
                CloseHandle(state.worker);
                state.worker = nullptr;
            }
            PostQuitMessage(state.exitCode.load());
            return 0;
        }
        case WM_ENDSESSION:
            cleanUp();
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

DWORD WINAPI GuiLauncher::work(void* parameter) {
    auto* launcher = static_cast<GuiLauncher*>(parameter);
    WindowState& state = windowState();
    try {
        if (currentLauncher() != nullptr && launcher->arguments().count() >= 1) {
            stopScriptOnCancel();
            state.exitCode = runFrontEnd(
                launcher->arguments(), [](const std::string& failure) { reportMessage(failure); },
                stopTimers);
        }
    } catch (...) {
        // runFrontEnd reports launcher failures itself; anything else still
        // ends the run in order.
        state.exitCode = -1;
    }
    PostMessageW(state.mainWindow.load(), WM_DESTROY, 0, 0);
    return 0;
}

int GuiLauncher::run() {
    MSG message;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(message.wParam);
        }
        if (got == -1) {
            return -1;
        }
        HWND dialog = progressDialog();
        if (dialog != nullptr && IsDialogMessageW(dialog, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void GuiLauncher::setStatus(const std::string& text) {
    SetDlgItemTextW(progressDialog(), kStatusControl, platform::widened(text).c_str());
}

void GuiLauncher::setStatusDetail(const std::string& text, const std::string& detail) {
    setStatus(formatText("%1!s! %2!s!", {text, detail}));
}

HWND GuiLauncher::dialogWithBar() {
    HWND dialog = progressDialog();
    if (dialog == nullptr || GetDlgItem(dialog, kProgressBarControl) == nullptr) {
        throw LauncherException(loadMessage(kNoProgressBarMessage));
    }
    return dialog;
}

void GuiLauncher::showBarPosition(HWND dialog) {
    if (!windowState().barUpdatePending.exchange(true)) {
        PostMessageW(dialog, kShowBarPosition, 0, 0);
    }
}

void GuiLauncher::stepProgress(int steps) {
    HWND dialog = dialogWithBar();
    std::atomic<int>& position = windowState().barPosition;
    int current = position.load();
    while (!position.compare_exchange_weak(current, progressAfterSteps(current, steps))) {
    }
    showBarPosition(dialog);
}

void GuiLauncher::setProgress(int percent) {
    HWND dialog = dialogWithBar();
    windowState().barPosition = progressForPercent(percent);
    showBarPosition(dialog);
}

void GuiLauncher::showWindow() {
    ShowWindow(progressDialog(), SW_SHOWNORMAL);
}

void GuiLauncher::hideWindow(short delaySeconds) {
    HWND dialog = progressDialog();
    EnableWindow(GetDlgItem(dialog, kCancelControl), FALSE);
    if (delaySeconds == 0) {
        ShowWindow(dialog, SW_HIDE);
    } else {
        SendMessageW(dialog, kArmTimers,
                     static_cast<WPARAM>(static_cast<unsigned short>(delaySeconds)), 0);
    }
}

bool GuiLauncher::isWindowVisible() {
    return IsWindowVisible(progressDialog()) != FALSE;
}

void GuiLauncher::showMessage(const std::string& text) {
    MessageBoxW(progressDialog(), platform::widened(text).c_str(),
                platform::widened(getTitle()).c_str(), MB_OK);
}

std::string GuiLauncher::getTitle() {
    wchar_t title[kTitleLength] = {};
    GetWindowTextW(progressDialog(), title, kTitleLength);
    return platform::narrowed(title);
}

void GuiLauncher::setTitle(const std::string& text) {
    SetWindowTextW(progressDialog(), platform::widened(text).c_str());
}

std::string GuiLauncher::browseForDirectory() {
    const HRESULT com = CoInitialize(nullptr);
    const std::wstring title = platform::widened(loadMessage(kFolderPromptMessage));
    // The browser writes up to MAX_PATH characters into the display name.
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW browse = {};
    browse.hwndOwner = progressDialog();
    browse.pszDisplayName = displayName;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_DONTGOBELOWDOMAIN;
    std::string directory;
    if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse)) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(chosen, path)) {
            directory = platform::narrowed(path);
        }
        CoTaskMemFree(chosen);
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return directory;
}

}  // namespace

std::unique_ptr<Launcher> createGuiLauncher(const ArgumentList& arguments) {
    return std::make_unique<GuiLauncher>(arguments);
}
