#pragma once

namespace platform {

// Handle of the running program image (the module its resources come from).
void* programModule();

}  // namespace platform
