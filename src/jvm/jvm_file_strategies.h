#pragma once
#include <memory>
#include <string>

#include "jvm/verification_runner.h"

class JvmFile;
class JvmMatch;

// The ways one JVM file finds and checks a JVM.  Each strategy returns the
// first location that holds a JVM the file accepts, or null.

// The hint strategies and verifyOwnHome find nothing, with a warning, when
// the file's JVM_PROPERTIES is empty.  The environment hints (ENV_HINT, the
// names of variables whose value is a JVM home; unset or empty ones are
// passed over) are tried only by a file that names some.
std::unique_ptr<JvmMatch> searchEnvironmentHints(JvmFile& jvmFile,
                                                 const Verification& verification);
std::unique_ptr<JvmMatch> searchPlatformHints(JvmFile& jvmFile, const Verification& verification);
std::unique_ptr<JvmMatch> searchPathHints(JvmFile& jvmFile, const Verification& verification);
std::unique_ptr<JvmMatch> searchPlatformPaths(JvmFile& jvmFile, const Verification& verification);
std::unique_ptr<JvmMatch> verifyOwnHome(JvmFile& jvmFile, const Verification& verification);

// The JVM home of an executable at `path` that a JVM file names as `exe`
// (a path relative to the home): the path without a separator and `exe`;
// empty when the path does not end so ("D:\xbin\java.exe" holds
// "bin\java.exe" below no home).
std::string homeOfExecutable(const std::string& path, const std::string& exe);

// Accepts the home when JVM_EXE below it exists and verify accepts it.
std::unique_ptr<JvmMatch> checkLocation(JvmFile& jvmFile, const std::string& home,
                                        const Verification& verification);
// Sets JVM_HOME to the home, runs the verification class there and compares
// its output with JVM_PROPERTIES.  Throws LauncherException when the command
// cannot be expanded or started.
bool verify(JvmFile& jvmFile, const std::string& home, const Verification& verification);
