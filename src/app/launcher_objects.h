#pragma once
#include <memory>
#include <vector>

class InstructionInterpreter;
class JvmSearch;
class LaunchScript;
class TagFile;
class VerificationRunner;

// The objects the run builds from the launcher file's tag files: the JVM
// search over the JVM files, the launch script, and the instruction
// interpreter of the instruction script, which uses both.  One process-wide
// object (launcherObjects()); each object follows the tag files it was built
// from, also when an input file names others.
class LauncherObjects {
public:
    LauncherObjects();
    ~LauncherObjects();
    LauncherObjects(const LauncherObjects&) = delete;
    LauncherObjects& operator=(const LauncherObjects&) = delete;

    // The interpreter of the instruction script, or none without one.
    InstructionInterpreter* instructions();
    // The search over the current JVM files.
    JvmSearch& jvmSearch();
    // The launch script, or none without one.
    LaunchScript* launchScript();

private:
    std::unique_ptr<VerificationRunner> verificationRunner_;
    std::unique_ptr<JvmSearch> jvmSearch_;
    std::vector<TagFile*> jvmTagFiles_;
    const TagFile* launchScriptTags_ = nullptr;
    std::unique_ptr<LaunchScript> launchScript_;
    const TagFile* instructionTags_ = nullptr;
    std::unique_ptr<InstructionInterpreter> interpreter_;
};

LauncherObjects& launcherObjects();
