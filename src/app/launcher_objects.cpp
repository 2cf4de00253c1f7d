#include "app/launcher_objects.h"

#include "instructions/instruction_interpreter.h"
#include "payload/launcher_file.h"

LauncherObjects::LauncherObjects() = default;
LauncherObjects::~LauncherObjects() = default;

InstructionInterpreter* LauncherObjects::instructions() {
    const TagFile* tags = launcherFile().instructionTags();
    if (tags != instructionTags_) {
        instructionTags_ = tags;
        interpreter_ = tags == nullptr ? nullptr : std::make_unique<InstructionInterpreter>(*tags);
    }
    return interpreter_.get();
}

LauncherObjects& launcherObjects() {
    static LauncherObjects objects;
    return objects;
}
