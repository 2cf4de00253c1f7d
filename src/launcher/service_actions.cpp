#include "launcher/service_actions.h"

#include <cstdio>

#include "launch/process_runner.h"
#include "tagfile/tag_file.h"
#include "tagfile/text_utils.h"

void installAction(bool showProgress, const std::string& installer,
                   const std::string& destination) {
    ProcessRunner().run(installer, destination, showProgress, false, true, nullptr, nullptr, false);
    const std::string jvmFile = ensureTrailingSeparator(destination) + "jvm";
    TagFile jvm(jvmFile);
    jvm.setJvmTags(destination, jvmFile, false);
    jvm.write(jvmFile);
    std::printf("%s\n", jvmFile.c_str());
    std::fflush(stdout);
}
