#include "instructions/instruction_line_hook.h"

#include <utility>

namespace {

InstructionLineHook& lineHook() {
    static InstructionLineHook hook;
    return hook;
}

}  // namespace

void setInstructionLineHook(InstructionLineHook hook) {
    lineHook() = std::move(hook);
}

void runInstructionLineHook() {
    if (lineHook()) {
        lineHook()();
    }
}
