#pragma once
#include <string>

class JvmFile;

// Runs one verification command for a JVM file: the command text goes
// through the launch script's expansion with the JVM file's tags, java runs
// with its standard output captured, and the exit code is not looked at.
class VerificationRunner {
public:
    virtual ~VerificationRunner() = default;
    // Returns the captured standard output.  Throws LauncherException when the
    // command cannot be expanded or java cannot be started.
    virtual std::string run(JvmFile& jvmFile, const std::string& commandText) = 0;
};

// What a verification needs: the class to run and the runner of its command.
struct Verification {
    std::string classpath;  // command-line text, usually a quoted path
    std::string className;  // command-line text, usually "\"Verify\""
    VerificationRunner& runner;
};
