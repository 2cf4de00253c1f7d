#include "launcher/service_actions.h"

#include <cstdio>

#include "jvm/installed_jvm.h"
#include "launch/process_runner.h"

void installAction(bool showProgress, const std::string& installer,
                   const std::string& destination) {
    ProcessRunner().run(installer, destination, showProgress, false, true, nullptr, nullptr, false);
    const std::string jvmFile = completeInstalledJvmFile(destination, false);
    std::printf("%s\n", jvmFile.c_str());
    std::fflush(stdout);
}
