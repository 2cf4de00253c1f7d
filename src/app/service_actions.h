#pragma once
#include <string>

// The service actions of an input file.  Their results go to standard
// output, one item per line.

// Runs a JVM installer in the destination directory and completes the "jvm"
// file it leaves there; prints that file's path.
void installAction(bool showProgress, const std::string& installer, const std::string& destination);
