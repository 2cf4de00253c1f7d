#include "launch/launch_script.h"

#include "base/launcher_exception.h"
#include "jvmfile/jvm_file.h"
#include "launch/argument_parser.h"
#include "launch/launch_functions.h"
#include "launch/script_error.h"
#include "platform/environment.h"
#include "tagfile/tag_file.h"
#include "tagfile/text_utils.h"

namespace {

// A literal's mark: its number between two control characters, which no
// path holds.
const char kLiteralStart = '\x01';
const char kLiteralEnd = '\x02';

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
    literals_.clear();
    std::string text = command_;
    try {
        text = expand(text, '%');
        text = jvmFile.expandTags(text);
        return withLiterals(expand(text, '#'));
    } catch (const ExpansionLimitError& e) {
        scriptError(withLiterals(text), e.text());
    }
}

std::string LaunchScript::literal(const std::string& value) {
    literals_.push_back(value);
    return kLiteralStart + toDecimal(static_cast<long>(literals_.size() - 1)) + kLiteralEnd;
}

std::string LaunchScript::withLiterals(const std::string& text) const {
    std::string result;
    size_t from = 0;
    for (size_t start = text.find(kLiteralStart); start != std::string::npos;
         start = text.find(kLiteralStart, start + 1)) {
        // At most nine digits: a mark is read in constant time.
        size_t end = start + 1;
        size_t index = 0;
        while (end < text.size() && end - start <= 9 && text[end] >= '0' && text[end] <= '9') {
            index = 10 * index + static_cast<size_t>(text[end] - '0');
            ++end;
        }
        if (end == start + 1 || end == text.size() || text[end] != kLiteralEnd ||
            index >= literals_.size()) {
            continue;  // not a mark of this expansion
        }
        result.append(text, from, start - from).append(literals_[index]);
        from = end + 1;
        start = end;
    }
    return result.append(text, from, std::string::npos);
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
        scriptError(withLiterals(text), "Invalid function name (" + name + ").");
    }
    size_t position = end + 1;
    std::vector<std::string> arguments;
    try {
        arguments = parseArguments(text, position);
    } catch (const ArgumentListError& e) {
        // The place as the text reads with the paths put in.
        const size_t shown = withLiterals(text.substr(0, e.position)).size();
        scriptError(withLiterals(text), std::string(e.message) + " (near character " +
                                            toDecimal(static_cast<long>(shown)) + ")");
    }
    if (arguments.size() < function->minArguments || arguments.size() > function->maxArguments) {
        scriptError(withLiterals(text), function->countError);
    }
    if (jvmFile_ == nullptr) {
        throw LauncherException("A launch script function was called outside an expansion.");
    }
    text.replace(start, position - start, function->call(*this, *jvmFile_, arguments));
}
