#pragma once
#include <string>

#include "platform/file_system.h"

namespace platform {

// The run-time library's descriptor of a new file, opened for writing as
// createNewFile opens it: created exclusively, not inherited by children, in
// text or binary mode by its contents.  -1 with errno on failure.
int openNewFile(const std::string& path, NewFile contents);

}  // namespace platform
