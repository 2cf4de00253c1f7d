#pragma once
#include <string>
#include <vector>

// Catalog texts by id, "%1!s!" inserts, the error-code table and system
// error texts.
std::string loadMessage(int id);  // empty when the id is absent
// Both throw LauncherException "Format message failed. Err = <n>" on failure.
std::string formatMessage(int id, const std::vector<std::string>& inserts);
std::string formatText(const std::string& format, const std::vector<std::string>& inserts);
// The text of an error code 0 to 19 (empty for any other code).
std::string messageForCode(int code);
std::string systemErrorText(unsigned long code);

// Error codes of launcher failures and user messages.
enum ErrorCode {
    kErrInputFile = 0,
    kErrInstructionsFile = 1,
    kErrLaunchScript = 2,
    kErrJvmFile = 3,
    kErrJvmFileId = 4,
    kErrInvalidAction = 5,
    kErrLogFileMissing = 6,
    kErrExtract = 7,
    kErrLoadIndex = 8,
    kErrNoJvmInstaller = 9,
    kErrJvmInvalid = 10,
    kErrInputFileMissing = 11,
    kErrNoSuitableJvm = 12,
    kErrSelectedNotJvm = 13,
    kErrSearchAll = 14,
    kErrOpenInputFile = 15,
    kErrWritingFile = 16,
    kErrDiskSpace = 17,
    kErrCanceled = 18,
    kErrTempDirMissing = 19,
};
