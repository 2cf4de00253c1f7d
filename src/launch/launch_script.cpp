#include "launch/launch_script.h"

#include "jvmfile/jvm_file.h"
#include "launch/argument_parser.h"
#include "launch/launch_functions.h"
#include "launch/script_error.h"
#include "launcher/launcher_exception.h"
#include "platform/environment.h"
#include "tagfile/tag_file.h"

namespace {

// Clears the JVM file of an expansion however the expansion ends.
class ExpansionScope {
public:
    ExpansionScope(JvmFile*& slot, JvmFile& jvmFile) : slot_(slot) { slot_ = &jvmFile; }
    ~ExpansionScope() { slot_ = nullptr; }
    ExpansionScope(const ExpansionScope&) = delete;
    ExpansionScope& operator=(const ExpansionScope&) = delete;

private:
    JvmFile*& slot_;
};

}  // namespace

LaunchScript::LaunchScript(const TagFile& tags)
    : command_(tags.getValue("COMMAND")),
      displayConsole_(tags.getBool("DISPLAY_CONSOLE", false)),
      autoSetWorkingDir_(tags.getBool("AUTO_SET_WORKING_DIR", true)),
      archive_(tags.getValue("ARCHIVE")),
      runtimeArchives_(true) {}

LaunchScript::LaunchScript(const std::string& commandText) : command_(commandText) {}

std::string LaunchScript::expandCommand(JvmFile& jvmFile) {
    const ExpansionScope scope(jvmFile_, jvmFile);
    std::string text = command_;
    try {
        text = expand(text, '%');
        text = jvmFile.expandTags(text);
        return expand(text, '#');
    } catch (const ExpansionLimitError& e) {
        scriptError(text, e.text());
    }
}

std::string LaunchScript::midRuntimeClasspath() {
    if (expandingArchive_) {
        scriptError(archive_, "The ARCHIVE value cannot call CP.");
    }
    expandingArchive_ = true;
    try {
        std::string expanded = expand(archive_, '%');
        expandingArchive_ = false;
        return expanded;
    } catch (...) {
        expandingArchive_ = false;
        throw;
    }
}

void LaunchScript::substitute(std::string& text, char delimiter, size_t start, size_t end) {
    const std::string name = text.substr(start + 1, end - start - 1);
    if (delimiter != '%') {
        text.replace(start, end - start + 1, platform::getEnvironment(name));
        return;
    }
    const LaunchFunction* function = findLaunchFunction(name);
    if (function == nullptr) {
        scriptError(text, "Invalid function name (" + name + ").");
    }
    size_t position = end + 1;
    const std::vector<std::string> arguments = parseArguments(text, position);
    if (arguments.size() < function->minArguments || arguments.size() > function->maxArguments) {
        scriptError(text, function->countError);
    }
    if (jvmFile_ == nullptr) {
        throw LauncherException("A launch script function was called outside an expansion.");
    }
    text.replace(start, position - start, function->call(*this, *jvmFile_, arguments));
}
