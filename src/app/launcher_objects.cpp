#include "app/launcher_objects.h"

#include "instructions/instruction_interpreter.h"
#include "jvm/jvm_search.h"
#include "jvm/script_verification_runner.h"
#include "launch/launch_script.h"
#include "payload/launcher_file.h"

LauncherObjects::LauncherObjects()
    : verificationRunner_(std::make_unique<ScriptVerificationRunner>()),
      jvmSearch_(std::make_unique<JvmSearch>(*verificationRunner_)) {}

LauncherObjects::~LauncherObjects() = default;

InstructionInterpreter* LauncherObjects::instructions() {
    const TagFile* tags = launcherFile().instructionTags();
    LaunchScript* script = launchScript();
    if (tags != instructionTags_ || (interpreter_ && interpreter_->launchScript() != script)) {
        instructionTags_ = tags;
        interpreter_ = tags == nullptr
                           ? nullptr
                           : std::make_unique<InstructionInterpreter>(*tags, jvmSearch(), script);
    }
    return interpreter_.get();
}

JvmSearch& LauncherObjects::jvmSearch() {
    const std::vector<TagFile*>& tags = launcherFile().jvmTagFiles();
    if (tags != jvmTagFiles_) {
        jvmTagFiles_ = tags;
        jvmSearch_->clearJvmFiles();
        for (TagFile* jvmFile : jvmTagFiles_) {
            jvmSearch_->addJvmFile(*jvmFile);
        }
    }
    return *jvmSearch_;
}

LaunchScript* LauncherObjects::launchScript() {
    const TagFile* tags = launcherFile().launchScriptTags();
    if (tags != launchScriptTags_) {
        launchScriptTags_ = tags;
        launchScript_ = tags == nullptr ? nullptr : std::make_unique<LaunchScript>(*tags);
    }
    return launchScript_.get();
}

LauncherObjects& launcherObjects() {
    static LauncherObjects objects;
    return objects;
}
