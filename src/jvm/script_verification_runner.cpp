#include "jvm/script_verification_runner.h"

#include "launch/launch_script.h"

std::string ScriptVerificationRunner::run(JvmFile& jvmFile, const std::string& commandText) {
    LaunchScript script(commandText);
    script.execute(jvmFile, nullptr, false);
    return script.stdOut();
}
