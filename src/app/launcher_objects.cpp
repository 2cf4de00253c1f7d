#include "app/launcher_objects.h"

#include <string>

#include "instructions/instruction_interpreter.h"
#include "jvm/jvm_search.h"
#include "jvm/verification_runner.h"
#include "payload/launcher_file.h"

namespace {

class UnavailableVerificationRunner : public VerificationRunner {
public:
    std::string run(JvmFile&, const std::string&) override { return std::string(); }
};

}  // namespace

LauncherObjects::LauncherObjects()
    : verificationRunner_(std::make_unique<UnavailableVerificationRunner>()),
      jvmSearch_(std::make_unique<JvmSearch>(*verificationRunner_)) {}

LauncherObjects::~LauncherObjects() = default;

InstructionInterpreter* LauncherObjects::instructions() {
    const TagFile* tags = launcherFile().instructionTags();
    if (tags != instructionTags_) {
        instructionTags_ = tags;
        interpreter_ = tags == nullptr
                           ? nullptr
                           : std::make_unique<InstructionInterpreter>(*tags, jvmSearch());
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

LauncherObjects& launcherObjects() {
    static LauncherObjects objects;
    return objects;
}
