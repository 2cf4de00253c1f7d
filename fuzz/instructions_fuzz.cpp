// Fuzzes the instruction interpreter: the input is the text of an
// instructions file, run as the launcher would run it.  Nothing is started:
// every child program is refused as for a launcher being ended, verification
// answers nothing, the drive scan finds nothing and the user picks nothing.
// A script that loops is ended after a bounded number of lines.  Any script
// ends normally or with the interpreter's or the launcher's exception, and
// leaves no file behind.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/launcher_exception.h"
#include "instructions/instruction_interpreter.h"
#include "instructions/instruction_line_hook.h"
#include "instructions/instructions_exception.h"
#include "jvm/jvm_search.h"
#include "jvm/verification_runner.h"
#include "launch/process_runner.h"
#include "payload/cleanup.h"
#include "tagfile/tag_file.h"

namespace {

constexpr long kLineLimit = 2000;

class NoVerification : public VerificationRunner {
public:
    std::string run(JvmFile&, const std::string&) override { return std::string(); }
};

struct LineLimit {};

JvmSearch& search() {
    static NoVerification runner;
    static JvmSearch jvmSearch(runner, [] { return std::string(); });
    return jvmSearch;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    endChildrenForGood();
    search().setDriveScan([](const std::vector<std::string>&, FileFoundHandler&) { return false; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TagFile instructions;
    try {
        instructions.parse(std::string(reinterpret_cast<const char*>(data), size), "fuzz.tag");
    } catch (const LauncherException&) {
        return 0;
    }
    long lines = 0;
    setInstructionLineHook([&lines] {
        if (++lines > kLineLimit) {
            throw LineLimit();
        }
    });
    try {
        InstructionInterpreter(instructions, search()).run();
    } catch (const InstructionsException&) {
    } catch (const LauncherException&) {
    } catch (const LineLimit&) {
    }
    cleanUp();
    return 0;
}
