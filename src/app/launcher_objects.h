#pragma once
#include <memory>

class InstructionInterpreter;
class TagFile;

// The objects the run builds from the launcher file's tag files: the
// instruction interpreter of the instruction script.  One process-wide
// object (launcherObjects()); each object is built on first use, and again
// when an input file has named another tag file since.
class LauncherObjects {
public:
    LauncherObjects();
    ~LauncherObjects();
    LauncherObjects(const LauncherObjects&) = delete;
    LauncherObjects& operator=(const LauncherObjects&) = delete;

    // The interpreter of the instruction script, or none without one.
    InstructionInterpreter* instructions();

private:
    const TagFile* instructionTags_ = nullptr;
    std::unique_ptr<InstructionInterpreter> interpreter_;
};

LauncherObjects& launcherObjects();
