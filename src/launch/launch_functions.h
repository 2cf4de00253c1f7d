#pragma once
#include <cstddef>
#include <string>
#include <vector>

class JvmFile;
class LaunchScript;

// A function of the launch script's % pass: its name, how many arguments it
// takes, the error text for any other count, and what it yields.
struct LaunchFunction {
    const char* name;
    size_t minArguments;
    size_t maxArguments;
    const char* countError;
    std::string (*call)(LaunchScript& script, JvmFile& jvmFile,
                        const std::vector<std::string>& arguments);
};

// The function of that name (exact, case included); null when none.
const LaunchFunction* findLaunchFunction(const std::string& name);
