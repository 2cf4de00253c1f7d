#pragma once
#include <map>
#include <string>
#include <vector>

#include "jvm/verification_runner.h"
#include "jvmfile/jvm_file.h"

// Answers verification commands without starting java: the output for a
// home is what the test gave for it (nothing for any other home).  Records
// each run as "<JVM file's DESC>|<home>" and the command texts.
class FakeVerificationRunner : public VerificationRunner {
public:
    std::string run(JvmFile& jvmFile, const std::string& commandText) override {
        const std::string home = jvmFile.tag("JVM_HOME");
        runs.push_back(jvmFile.description() + "|" + home);
        commands.push_back(commandText);
        const auto answer = answers.find(home);
        return answer == answers.end() ? std::string() : answer->second;
    }

    std::map<std::string, std::string> answers;
    std::vector<std::string> runs;
    std::vector<std::string> commands;
};
