#pragma once
#include <string>
#include <vector>

// The script that removes a launcher copy and its directory after the
// launcher process has ended: a batch file on Windows, a shell script on
// POSIX.
namespace platform {

struct SelfRemovalPlan {
    std::string launcher;   // the running launcher file
    std::string directory;  // its directory, removed when empty; may be empty
    std::string script;     // the script's own path, which it deletes last
    std::string debugLog;   // reports go here; empty for none
    // How often a script that retries the deletion of the launcher tries,
    // about a second apart, before it gives up.
    int attempts = 120;
};

// The ending of the script's file name (".bat", ".sh").
std::string selfRemovalScriptExtension();
// The script's lines, without line ends.
std::vector<std::string> selfRemovalScriptLines(const SelfRemovalPlan& plan);

// Starts the written script detached and hidden, at idle priority, so that
// it runs only once this process has ended.  On Windows the launcher then
// raises its own priority to finish quickly.  False when it could not be
// started.
bool startSelfRemovalScript(const SelfRemovalPlan& plan);

}  // namespace platform
