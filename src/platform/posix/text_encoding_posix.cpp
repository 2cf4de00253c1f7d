#include "platform/text_encoding.h"

namespace platform {

std::string narrowFromFile(const std::string& bytes, FileEncoding) {
    return bytes;
}

std::string utf8FromNarrow(const std::string& text) {
    return text;
}

}  // namespace platform
