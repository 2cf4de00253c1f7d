#include "instructions/instruction_interpreter.h"

int InstructionInterpreter::run() { return 0; }
