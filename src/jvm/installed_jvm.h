#pragma once
#include <string>

// Where a JVM installer leaves its JVM file: "jvm" in the directory it ran in.
std::string installedJvmFilePath(const std::string& directory);

// The JVM file that a JVM installer leaves in the directory it ran
// in, completed with that directory as JVM_HOME, its own path as JVM_FILE
// and the temporary flag as JVM_TEMP, and written back.  Returns its path;
// throws LauncherException when the installer left none or it cannot be
// written back.
std::string completeInstalledJvmFile(const std::string& directory, bool temporary);
