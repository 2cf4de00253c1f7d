#pragma once
#include <string>
#include <vector>

// Process-level services of the operating system: the platform family, the
// command line, the program's own path, system error texts and waiting.
namespace platform {

// True on the Windows 9x family (platform id VER_PLATFORM_WIN32_WINDOWS).
bool isOldPlatformFamily();

// Breaks into an attached debugger; does nothing when none is attached.
void breakIntoDebugger();

// Restricts DLL loading to the system directory, so that nothing placed
// beside the launcher in a download folder is loaded into it.
void restrictDllSearchToSystemDirectory();

// Makes a console the program writes to show its texts in the program's
// own code page (on Windows the console keeps a code page of its own; it is
// put back when the program ends).
void matchConsoleToCodePage();

// The program's arguments, element 0 being the program as invoked: on Windows
// the wide command line split by the system and converted to the ANSI code
// page (argc and argv are not used); on POSIX argv.
std::vector<std::string> processArguments(int argc, char** argv);

// The narrow command-line text, for the old platform's own splitter.
std::string narrowCommandLine();

// Full path of the running program file, at most 259 characters.
std::string runningProgramPath();

// The character that separates path components ('\\' on Windows, '/' on POSIX).
char pathSeparator();

unsigned long lastErrorCode();
// The system's description of an error code, in the user's language.
std::string systemErrorText(unsigned long code);

void sleepMilliseconds(unsigned milliseconds);

}  // namespace platform
