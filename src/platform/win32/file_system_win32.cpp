#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>

#include "platform/file_system.h"
#include "platform/win32/new_file_win32.h"
#include "platform/win32/wide_text.h"

namespace platform {

namespace {

// Text of a system call that first reports the size it needs (including the
// terminator) and then fills a buffer of that size; empty on failure.
template <typename Call>
std::string sizedText(Call call) {
    DWORD size = call(nullptr, 0);
    while (size > 0) {
        std::wstring text(size, L'\0');
        const DWORD length = call(&text[0], size);
        if (length == 0) {
            break;
        }
        if (length < size) {
            text.resize(length);
            return narrowed(text);
        }
        size = length + 1;  // grew in between
    }
    return std::string();
}

bool isDrivePath(const std::string& path) {
    return path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

// GetTempFileName takes a directory of at most this many characters and
// writes the name into a buffer of MAX_PATH; not every implementation checks.
constexpr std::size_t kTempFileDirectoryLimit = MAX_PATH - 14;

}  // namespace

bool readFileAttributes(const std::string& path, FileAttributes& attributes) {
    const DWORD bits = GetFileAttributesW(widePath(path).c_str());
    if (bits == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    attributes.directory = (bits & FILE_ATTRIBUTE_DIRECTORY) != 0;
    attributes.readOnly = (bits & FILE_ATTRIBUTE_READONLY) != 0;
    attributes.link = (bits & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    return true;
}

bool clearReadOnly(const std::string& path) {
    const std::wstring wide = widePath(path);
    const DWORD bits = GetFileAttributesW(wide.c_str());
    return bits != INVALID_FILE_ATTRIBUTES &&
           SetFileAttributesW(wide.c_str(), bits & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

bool deleteFile(const std::string& path) {
    return DeleteFileW(widePath(path).c_str()) != 0;
}

bool removeDirectory(const std::string& path) {
    return RemoveDirectoryW(widePath(path).c_str()) != 0;
}

bool createDirectory(const std::string& path) {
    return CreateDirectoryW(widePath(path).c_str(), nullptr);
}

void allowExecution(const std::string&) {}

int openNewFile(const std::string& path, NewFile contents) {
    const bool text = contents != NewFile::kData;
    return _wopen(widePath(path).c_str(),
                  _O_WRONLY | _O_CREAT | _O_EXCL | _O_NOINHERIT | (text ? _O_TEXT : _O_BINARY),
                  _S_IREAD | _S_IWRITE);
}

std::FILE* createNewFile(const std::string& path, NewFile contents) {
    const int descriptor = openNewFile(path, contents);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, contents != NewFile::kData ? "w" : "wb");
    if (file == nullptr) {
        const int error = errno;
        _close(descriptor);
        DeleteFileW(widePath(path).c_str());
        errno = error;
    }
    return file;
}

OpenTest testOpenForReading(const std::string& path) {
    const HANDLE file = CreateFileW(widePath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return OpenTest::kOpened;
    }
    switch (GetLastError()) {
        case ERROR_SHARING_VIOLATION:
            return OpenTest::kInUse;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return OpenTest::kMissing;
        default:
            return OpenTest::kFailed;
    }
}

struct DirectoryListing::State {
    HANDLE handle = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW data;
    bool firstPending = true;  // FindFirstFile already delivered an entry
    std::string name;
    bool isDirectory = false;
    unsigned long error = 0;
};

DirectoryListing::DirectoryListing(const std::string& directory) : state_(new State) {
    state_->handle = FindFirstFileW(widePath(directory + "*").c_str(), &state_->data);
}

DirectoryListing::~DirectoryListing() {
    if (state_->handle != INVALID_HANDLE_VALUE) {
        FindClose(state_->handle);
    }
}

bool DirectoryListing::started() const {
    return state_->handle != INVALID_HANDLE_VALUE;
}

bool DirectoryListing::next() {
    State& s = *state_;
    if (s.handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    while (true) {
        if (s.firstPending) {
            s.firstPending = false;
        } else if (!FindNextFileW(s.handle, &s.data)) {
            const DWORD error = GetLastError();
            s.error = error == ERROR_NO_MORE_FILES ? 0 : error;
            return false;
        }
        const wchar_t* name = s.data.cFileName;
        if (name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'))) {
            continue;
        }
        // A name the code page cannot show is reached by its short form.
        bool lossy = false;
        s.name = narrowed(name, &lossy);
        if (lossy && s.data.cAlternateFileName[0] != L'\0') {
            s.name = narrowed(s.data.cAlternateFileName);
        }
        const DWORD bits = s.data.dwFileAttributes;
        s.isDirectory =
            (bits & FILE_ATTRIBUTE_DIRECTORY) != 0 && (bits & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
        return true;
    }
}

const std::string& DirectoryListing::name() const {
    return state_->name;
}

bool DirectoryListing::isDirectory() const {
    return state_->isDirectory;
}

unsigned long DirectoryListing::error() const {
    return state_->error;
}

std::string tempPath() {
    return sizedText([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); });
}

unsigned long createUniqueTempFile(const std::string& directory, const std::string& prefix,
                                   std::string& path) {
    const std::wstring wideDirectory = widened(directory);
    if (wideDirectory.size() > kTempFileDirectoryLimit) {
        return ERROR_FILENAME_EXCED_RANGE;
    }
    wchar_t name[MAX_PATH];
    if (GetTempFileNameW(wideDirectory.c_str(), widened(prefix).c_str(), 0, name) == 0) {
        return GetLastError();
    }
    path = narrowed(name);
    return 0;
}

bool isTransientAccessDenial(unsigned long code) {
    return code == ERROR_ACCESS_DENIED;
}

std::string freeSpaceRoot(const std::string& directory) {
    if (isDrivePath(directory)) {
        return directory.substr(0, 2) + "\\";
    }
    const std::string current = currentDirectory();
    // Empty when the current directory has no drive letter (a network path):
    // the query then asks about the current directory's own root.
    return isDrivePath(current) ? current.substr(0, 2) + "\\" : std::string();
}

bool diskFreeSpace(const std::string& root, DiskSpace& space) {
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    const std::wstring wideRoot = widened(root);
    if (!GetDiskFreeSpaceW(root.empty() ? nullptr : wideRoot.c_str(), &sectorsPerCluster,
                           &bytesPerSector, &freeClusters, &totalClusters)) {
        return false;
    }
    space.sectorsPerCluster = sectorsPerCluster;
    space.bytesPerSector = bytesPerSector;
    space.freeClusters = freeClusters;
    space.totalClusters = totalClusters;
    return true;
}

bool logicalDriveStrings(std::vector<std::string>& roots) {
    const DWORD size = GetLogicalDriveStringsW(0, nullptr);
    if (size == 0) {
        return false;
    }
    std::wstring list(size + 1, L'\0');
    const DWORD length = GetLogicalDriveStringsW(size, &list[0]);
    list.resize(length < size ? length : size);
    roots.clear();
    for (size_t start = 0; start < list.size() && list[start] != L'\0';) {
        const size_t end = list.find(L'\0', start);
        roots.push_back(narrowed(list.substr(start, end - start)));
        start = end == std::wstring::npos ? list.size() : end + 1;
    }
    return true;
}

DriveType driveType(const std::string& root) {
    switch (GetDriveTypeW(widened(root).c_str())) {
        case DRIVE_FIXED:
            return DriveType::kFixed;
        case DRIVE_REMOTE:
            return DriveType::kRemote;
        default:
            return DriveType::kOther;
    }
}

bool shortPathName(const std::string& path, std::string& shortPath) {
    const std::wstring wide = widened(path);
    shortPath = sizedText([&wide](wchar_t* buffer, DWORD size) {
        return GetShortPathNameW(wide.c_str(), buffer, size);
    });
    return !shortPath.empty();
}

std::string windowsDirectory() {
    return sizedText([](wchar_t* buffer, DWORD size) {
        return GetWindowsDirectoryW(buffer, static_cast<UINT>(size));
    });
}

std::string currentDirectory() {
    return sizedText(
        [](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

}  // namespace platform
