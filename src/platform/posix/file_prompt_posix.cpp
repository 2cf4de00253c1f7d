#include "platform/file_prompt.h"

namespace platform {

std::string promptForProgramFile() {
    return std::string();
}

}  // namespace platform
