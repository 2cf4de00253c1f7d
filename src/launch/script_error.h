#pragma once
#include <string>

// Logs "Launch command:" and the text being expanded, then throws
// LauncherException "Launch script error: " + message.
[[noreturn]] void scriptError(const std::string& text, const std::string& message);
