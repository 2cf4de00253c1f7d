#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

// The few system services the test programs need, one file per system.

// The full path of the running program.
std::string ownPath();

// The same path as the file system names it, whatever letters it holds (on
// Windows the narrow path holds only those of the ANSI code page).
std::filesystem::path ownFile();

// Writes the bytes to standard output (1) or standard error (2), unbuffered
// and without any line-end conversion; false when a write failed.
bool writeStream(int stream, const std::string& bytes);

void sleepFor(unsigned milliseconds);

// Starts this program again with the arguments; the copy gets this
// process's standard streams and is not waited for.
bool startCopy(const std::vector<std::string>& arguments);

// How many pipe ends this process holds besides its standard streams.
int pipesBesideStandardStreams();
