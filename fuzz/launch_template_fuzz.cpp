// Fuzzes the expansion of a launch command template: the bytes up to the
// first NUL are the template, the rest a JVM file (without CP_ENV_VAR).  Only
// the expansion runs, nothing is started.  Any template either expands or stops with a
// LauncherException; one without a delimiter character stays as it was.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/launcher_exception.h"
#include "base/run_state.h"
#include "jvmfile/jvm_file.h"
#include "launch/launch_script.h"
#include "payload/workspace.h"
#include "tagfile/tag_file.h"

namespace {

// No workspace and no side files: the temp directory and the launcher's
// directory do not exist, so the functions that would make or read files
// stop with their errors.
void useNoFiles() {
    static const bool done = [] {
        setTempDirectory("/nonexistent-launch-template-fuzz/");
        runState().launcherFileName = "/nonexistent-launch-template-fuzz/setup.exe";
        runState().originalLauncherFileName = runState().launcherFileName;
        return true;
    }();
    (void)done;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    useNoFiles();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const size_t split = bytes.find('\0');
    const std::string command = bytes.substr(0, split);
    TagFile tags;
    if (split != std::string::npos) {
        try {
            tags.parse(bytes.substr(split + 1), "fuzz.jvm");
        } catch (const LauncherException&) {
            // The tags read before the error stay.
        }
    }
    // The classpath variable would be set: the C library keeps every value
    // it was ever given, which fills the memory over a long run.
    tags.setValue("CP_ENV_VAR", std::string());
    JvmFile jvmFile(tags);
    LaunchScript script(command);
    std::string expanded;
    try {
        expanded = script.expandCommand(jvmFile);
    } catch (const LauncherException&) {
        return 0;
    }
    if (command.find_first_of("%@#") == std::string::npos && expanded != command) {
        std::fprintf(stderr, "a template without references changed\n");
        std::abort();
    }
    return 0;
}
