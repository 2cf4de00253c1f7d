// Opens the platform layer's file-open prompt for a program file and prints
// the answer: "chosen: PATH" or "cancelled".
#include <cstdio>

#include "platform/file_prompt.h"

int main() {
    const std::string path = platform::promptForProgramFile();
    if (path.empty()) {
        std::printf("cancelled\n");
    } else {
        std::printf("chosen: %s\n", path.c_str());
    }
    return 0;
}
