#pragma once
#include <string>

#include "platform/file_system.h"

namespace platform {

// The descriptor of a new file, opened for writing as createNewFile opens
// it: created exclusively, a link in its place never followed, with the mode
// of its contents.  -1 with errno on failure.
int openNewFile(const std::string& path, NewFile contents);

}  // namespace platform
