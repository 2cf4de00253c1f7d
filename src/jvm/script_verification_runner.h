#pragma once
#include <string>

#include "jvm/verification_runner.h"

// Runs a verification command as a launch script of its own: expanded with
// the JVM file's tags, java started with its standard output captured.
class ScriptVerificationRunner : public VerificationRunner {
public:
    std::string run(JvmFile& jvmFile, const std::string& commandText) override;
};
