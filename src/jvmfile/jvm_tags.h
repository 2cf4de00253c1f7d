#pragma once
#include <string>

#include "tagfile/tag_file.h"

// Completes a JVM file with the home that was found, the path it is written
// to and whether the JVM came with the launcher, each replacing what the
// file said before.
void setJvmTags(TagFile& tags, const std::string& jvmHome, const std::string& jvmFile,
                bool temporary);
