// Drives the windows of another program as a user would, for the tests of
// the windowed front end under Wine: finds a dialog by its class and one of
// its controls, reads what it shows, and answers it with the messages that a
// click, a typed text or a closed window send.
//
//   window_driver COMMAND [ARGUMENT]... [-- COMMAND [ARGUMENT]...]...
//
// Commands, run in order on the current dialog:
//   dialog ID          waits (up to 120 s) for a visible dialog holding control ID
//   text ID            prints the text of control ID
//   title              prints the dialog's caption
//   position           prints the progress bar's position
//   enabled ID         prints 1 when control ID takes input, else 0
//   visible ID         prints 1 when control ID is shown, else 0
//   controls           prints the id and class of every control of the dialog
//   wait-text ID TEXT  waits (up to 120 s) until control ID shows TEXT
//   wait-disabled ID   waits (up to 120 s) until control ID takes no input
//   rect               prints the dialog's screen rectangle: left top right bottom
//   click ID           presses button ID (fails when it is disabled)
//   set-text ID TEXT   types TEXT into control ID
//   choose-folder PATH selects PATH in a folder browser (Z:\\dir\\dir)
//   close              asks the dialog to close, as its close box would
//   wait-gone          waits (up to 120 s) until the dialog is hidden or gone
//   end-session CLASS  tells the top-level window of CLASS that the session ends
//   sleep MS           waits MS milliseconds
// Exits with 1 and a line on standard error when a command fails.
#include <windows.h>
// After windows.h, which it needs:
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kPatience = 120000;
constexpr int kFolderTree = 0x3741;         // the folder browser's tree
constexpr UINT kGetPosition = WM_USER + 8;  // PBM_GETPOS

[[noreturn]] void fail(const std::string& text) {
    std::fprintf(stderr, "window_driver: %s\n", text.c_str());
    std::exit(1);
}

std::wstring widen(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    wide.resize(length > 0 ? length - 1 : 0);
    return wide;
}

void printLine(const std::wstring& text) {
    std::string line(text.size() * 4 + 1, '\0');
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &line[0],
                                           static_cast<int>(line.size()), nullptr, nullptr);
    line.resize(length > 0 ? length - 1 : 0);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

struct Search {
    int control;
    HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (IsWindowVisible(window) && std::wstring(className) == L"#32770" &&
        GetDlgItem(window, search->control) != nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Waits, looking every 50 ms, until `done` says so; fails after the
// patience with `failure`.
template <typename Condition>
void waitUntil(Condition done, const std::string& failure) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > kPatience) {
            fail(failure);
        }
        Sleep(50);
    }
}

HWND waitForDialog(int control) {
    Search search = {control, nullptr};
    waitUntil(
        [&] {
            EnumWindows(matchDialog, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        "no dialog with control " + std::to_string(control) + " appeared");
    return search.found;
}

BOOL CALLBACK printControl(HWND window, LPARAM) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    printLine(std::to_wstring(GetDlgCtrlID(window)) + L" " + className);
    return TRUE;
}

HWND control(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    if (item == nullptr) {
        fail("the dialog has no control " + std::to_string(id));
    }
    return item;
}

std::wstring windowText(HWND window) {
    wchar_t text[4096] = {};
    GetWindowTextW(window, text, 4096);
    return text;
}

// Reads a tree item's text through memory in the tree's own process.
class RemoteTree {
public:
    explicit RemoteTree(HWND tree) : tree_(tree) {
        DWORD processId = 0;
        GetWindowThreadProcessId(tree, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId);
        memory_ = process_ == nullptr ? nullptr
                                      : VirtualAllocEx(process_, nullptr, kSize,
                                                       MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (memory_ == nullptr) {
            fail("cannot reach the folder browser's process");
        }
    }
    ~RemoteTree() {
        VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }

    HTREEITEM next(HTREEITEM item, WPARAM relation) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageW(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    void expand(HTREEITEM item) {
        SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    }
    void select(HTREEITEM item) {
        SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    }
    std::wstring text(HTREEITEM item) {
        auto* base = static_cast<char*>(memory_);
        TVITEMW query = {};
        query.mask = TVIF_TEXT;
        query.hItem = item;
        query.pszText = reinterpret_cast<wchar_t*>(base + sizeof query);
        query.cchTextMax = kTextLength;
        wchar_t text[kTextLength] = {};
        if (!WriteProcessMemory(process_, memory_, &query, sizeof query, nullptr) ||
            !SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(memory_)) ||
            !ReadProcessMemory(process_, base + sizeof query, text, sizeof text - sizeof(wchar_t),
                               nullptr)) {
            return std::wstring();
        }
        return text;
    }
    // The child of `parent` whose text ends with `name` (a drive shows as
    // "Label (C:)"), or null.
    HTREEITEM child(HTREEITEM parent, const std::wstring& name) {
        expand(parent);
        for (HTREEITEM item = next(parent, TVGN_CHILD); item != nullptr;
             item = next(item, TVGN_NEXT)) {
            const std::wstring shown = text(item);
            if (shown.size() >= name.size() &&
                _wcsicmp(shown.c_str() + shown.size() - name.size(), name.c_str()) == 0) {
                return item;
            }
        }
        return nullptr;
    }

private:
    static constexpr int kTextLength = 260;
    static constexpr SIZE_T kSize = sizeof(TVITEMW) + kTextLength * sizeof(wchar_t);
    HWND tree_;
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
};

// Selects a directory in a folder browser as a user would click through its
// tree: the computer, the drive, then each folder.
void chooseFolder(HWND dialog, const std::string& path) {
    RemoteTree tree(control(dialog, kFolderTree));
    const std::wstring wide = widen(path);
    HTREEITEM item = nullptr;
    const HTREEITEM desktop = tree.next(nullptr, TVGN_ROOT);
    const std::wstring drive = L"(" + wide.substr(0, 2) + L")";
    for (HTREEITEM place = tree.next(desktop, TVGN_CHILD); place != nullptr && item == nullptr;
         place = tree.next(place, TVGN_NEXT)) {
        if (tree.text(place).find(L"Computer") != std::wstring::npos) {
            item = tree.child(place, drive);
        }
    }
    for (size_t start = 3; item != nullptr && start < wide.size();) {
        size_t end = wide.find(L'\\', start);
        if (end == std::wstring::npos) {
            end = wide.size();
        }
        item = tree.child(item, wide.substr(start, end - start));
        start = end + 1;
    }
    if (item == nullptr) {
        fail("the folder browser does not show " + path);
    }
    tree.select(item);
    if (tree.next(nullptr, TVGN_CARET) != item) {
        fail("the folder browser does not select " + path);
    }
}

int number(const std::vector<std::string>& arguments, size_t index) {
    if (index >= arguments.size()) {
        fail("a command lacks its argument");
    }
    return std::atoi(arguments[index].c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    HWND dialog = nullptr;
    auto target = [&dialog] {
        if (dialog == nullptr) {
            fail("no dialog chosen");
        }
        return dialog;
    };
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& command = arguments[i];
        if (command == "--") {
            continue;
        } else if (command == "dialog") {
            dialog = waitForDialog(number(arguments, ++i));
        } else if (command == "text") {
            printLine(windowText(control(target(), number(arguments, ++i))));
        } else if (command == "title") {
            printLine(windowText(target()));
        } else if (command == "position") {
            const LRESULT position = SendMessageW(control(target(), 1001), kGetPosition, 0, 0);
            std::printf("%d\n", static_cast<int>(position));
        } else if (command == "enabled") {
            std::printf("%d\n", IsWindowEnabled(control(target(), number(arguments, ++i))) ? 1 : 0);
        } else if (command == "visible") {
            std::printf("%d\n", IsWindowVisible(control(target(), number(arguments, ++i))) ? 1 : 0);
        } else if (command == "controls") {
            EnumChildWindows(target(), printControl, 0);
        } else if (command == "wait-text") {
            HWND item = control(target(), number(arguments, ++i));
            if (++i >= arguments.size()) {
                fail("wait-text lacks its text");
            }
            const std::wstring expected = widen(arguments[i]);
            waitUntil([&] { return !IsWindow(item) || windowText(item) == expected; },
                      "the control does not show " + arguments[i]);
            if (!IsWindow(item)) {
                fail("the control is gone before it showed " + arguments[i]);
            }
        } else if (command == "wait-disabled") {
            HWND item = control(target(), number(arguments, ++i));
            waitUntil([&] { return !IsWindowEnabled(item); }, "the control stays enabled");
        } else if (command == "rect") {
            RECT bounds;
            GetWindowRect(target(), &bounds);
            std::printf("%ld %ld %ld %ld\n", bounds.left, bounds.top, bounds.right, bounds.bottom);
        } else if (command == "click") {
            const int id = number(arguments, ++i);
            HWND button = control(target(), id);
            if (!IsWindowEnabled(button)) {
                fail("button " + std::to_string(id) + " is disabled");
            }
            PostMessageW(target(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
        } else if (command == "set-text") {
            const int id = number(arguments, ++i);
            if (++i >= arguments.size()) {
                fail("set-text lacks its text");
            }
            SendMessageW(control(target(), id), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(widen(arguments[i]).c_str()));
        } else if (command == "choose-folder") {
            if (++i >= arguments.size()) {
                fail("choose-folder lacks its path");
            }
            chooseFolder(target(), arguments[i]);
        } else if (command == "close") {
            PostMessageW(target(), WM_CLOSE, 0, 0);
        } else if (command == "wait-gone") {
            waitUntil([&] { return !IsWindow(target()) || !IsWindowVisible(target()); },
                      "the dialog stays");
        } else if (command == "end-session") {
            if (++i >= arguments.size()) {
                fail("end-session lacks the window class");
            }
            HWND window = FindWindowW(widen(arguments[i]).c_str(), nullptr);
            if (window == nullptr) {
                fail("no window of class " + arguments[i]);
            }
            SendMessageW(window, WM_ENDSESSION, TRUE, 0);
        } else if (command == "sleep") {
            Sleep(static_cast<DWORD>(number(arguments, ++i)));
        } else {
            fail("unknown command " + command);
        }
    }
    return 0;
}
