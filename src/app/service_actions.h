#pragma once
#include <string>

// The service actions of an input file.  Their results go to standard
// output, one item per line.

// Runs a JVM installer in the destination directory and completes the "jvm"
// file it leaves there; prints that file's path.
void installAction(bool showProgress, const std::string& installer, const std::string& destination);

// Searches for a JVM as FIND_JVM does; prints N1 and, when one was found, its
// home and the path of its JVM file, which then outlives the launcher.
void searchAction(bool showProgress, bool showFailure);

// Finds every accepted JVM on the drives; prints their number, then the home
// and the path of the written JVM file of each.  A failure prints 0.
void searchAllAction(bool showProgress, bool showFailure);

// Verifies the JVM of the JVM file at the home; prints N1.
void verifyAction(bool showProgress, bool showFailure, const std::string& jvmFile,
                  const std::string& home);
