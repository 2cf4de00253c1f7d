#pragma once

class LauncherFile;

// How INSTALL_JVM shows itself and where it installs.
enum JvmInstallMode {
    kInstallHidden = 0,               // no window; into a workspace directory
    kInstallShown = 1,                // progress window; into a workspace directory
    kInstallIntoChosenDirectory = 2,  // progress window; into a directory the user picks
};

// Runs the JVM installer of the launcher file (the first entry of type 4) in the
// destination directory and completes the "jvm" file it leaves there with
// JVM_HOME, JVM_FILE and JVM_TEMP.  Sets N1 to 1 and S1 to that file's path;
// N1 stays 0 and S1 empty when the user chose no directory or the installer
// left no "jvm" file.  A missing installer and extraction or start failures
// throw LauncherException.
void installJvm(const LauncherFile& launcher, JvmInstallMode mode);
