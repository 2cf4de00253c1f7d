#include "app/service_actions.h"

#include <cstdio>

#include "jvm/installed_jvm.h"
#include "launch/process_runner.h"
#include "launch/quoted_argument.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace {

// The installer of an input file is a command line, which may quote its
// program and add arguments.  A value that names an existing file as a whole
// is that program alone: quoted, so that a path with blanks is not read as a
// shorter program ("C:\Program.exe") with arguments, and absolute, so that
// the system does not look for it elsewhere first.
std::string installerCommandLine(const std::string& installer) {
    platform::FileAttributes attributes;
    if (!platform::readFileAttributes(installer, attributes) || attributes.directory) {
        return installer;
    }
    return quotedArgument(platform::absolutePath(installer));
}

}  // namespace

void installAction(bool showProgress, const std::string& installer,
                   const std::string& destination) {
    ProcessRunner().run(installerCommandLine(installer), destination, showProgress, false, true,
                        nullptr, nullptr, false);
    const std::string jvmFile = completeInstalledJvmFile(destination, false);
    std::printf("%s\n", jvmFile.c_str());
    std::fflush(stdout);
}
