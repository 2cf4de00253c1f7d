#pragma once
#include <functional>

// Called before every line of the instruction script, on the thread that runs
// it.  A front end that lets the user cancel installs a hook that throws
// LauncherException once a cancel was requested, so that even a script
// looping on a backward GOTO ends.  Install it before the script runs.  No
// hook is installed by default; an empty function removes it.
using InstructionLineHook = std::function<void()>;

void setInstructionLineHook(InstructionLineHook hook);
void runInstructionLineHook();
