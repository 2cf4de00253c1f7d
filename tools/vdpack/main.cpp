#include <iostream>

#include "vdpack/vdpack_command.h"

int main(int argc, char** argv) {
    return runVdpack(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
