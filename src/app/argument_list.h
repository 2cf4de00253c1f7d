#pragma once
#include <string>
#include <vector>

// The program's arguments; element 0 is the program as invoked.
class ArgumentList {
public:
    ArgumentList() = default;
    explicit ArgumentList(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {}

    // From the process command line: the old platform's narrow text is split
    // by splitOldPlatformCommandLine, otherwise the system splits it.
    bool build(int argc, char** argv);

    int count() const { return static_cast<int>(arguments_.size()); }
    // Null outside 0 to count()-1.
    const std::string* argument(int index) const;

private:
    std::vector<std::string> arguments_;
};

// Splits a command-line text the way the Windows 9x family needs it: the
// first token (the program name) takes backslashes literally; later tokens
// treat a backslash before a double quote as an escaped quote.  Empty tokens
// are dropped.
std::vector<std::string> splitOldPlatformCommandLine(const std::string& commandLine);
