// The expression part of the script language: reference substitution,
// string expressions, numbers and booleans, and the quoted file name of
// LAUNCH.
#include <algorithm>

#include "base/launcher_exception.h"
#include "instructions/decimal_reader.h"
#include "instructions/instruction_interpreter.h"
#include "instructions/variable_reference.h"
#include "tagfile/text_utils.h"

namespace {

// A variable whose value refers back to itself would expand for ever; these
// bounds are far beyond what any real script needs.
constexpr int kMaxReplacements = 1000;
constexpr size_t kMaxExpandedLength = 256 * 1024;

}  // namespace

void InstructionInterpreter::substituteVariables(std::string& text, const std::string& context) {
    const std::string prefix = context + " ";
    if (text.empty()) {
        raiseInstructionError(prefix + "Empty expression.");
    }
    const std::string original = text;
    int replacements = 0;
    bool changed = true;
    while (changed) {
        changed = false;
        size_t p = text.find('@');
        while (p != std::string::npos) {
            const size_t q = text.find('@', p + 1);
            if (q == std::string::npos) {
                raiseInstructionError(prefix + "Invalid variable specification.");
            }
            if (q == p + 1) {
                text.erase(q, 1);  // "@@" stands for one "@"
                p = text.find('@', p + 1);
                continue;
            }
            const VariableReference reference =
                VariableReference::parse(text.substr(p + 1, q - p - 1), context);
            text.replace(p, q - p + 1, reference.value());
            changed = true;
            if (++replacements > kMaxReplacements || text.size() > kMaxExpandedLength) {
                raiseInstructionError(prefix + "The variable references in (" + original +
                                      ") expand without end.");
            }
            // The scan goes on from the first character of the value, so an
            // empty value does not hide an "@" that followed the reference.
            p = text.find('@', p);
        }
    }
}

void InstructionInterpreter::evaluateString(std::string& text, const std::string& context) {
    if (text.empty()) {
        return;
    }
    const bool quoted = text[0] == '"';
    long position = quoted ? 1 : 0;
    text = readArgument(text, position, quoted);
    substituteVariables(text, context);
}

int32_t InstructionInterpreter::parseNumber(const std::string& text, const std::string& context) {
    std::string expression = text;
    substituteVariables(expression, context);
    int32_t number = 0;
    if (!readInt32(expression, number)) {
        raiseInstructionError(context + "Invalid numeric expression (" + expression + ")");
    }
    return number;
}

int16_t InstructionInterpreter::parseShortNumber(const std::string& text,
                                                 const std::string& context) {
    std::string expression = text;
    substituteVariables(expression, context);
    int16_t number = 0;
    if (!readInt16(expression, number)) {
        raiseInstructionError(context + " Invalid numeric expression (" + expression + ")");
    }
    return number;
}

bool InstructionInterpreter::parseBoolean(const std::string& text, const std::string& context) {
    const int32_t number = parseNumber(text, context);
    if (number != 0 && number != 1) {
        raiseInstructionError(context + " Invalid boolean value (" + text + ")");
    }
    return number == 1;
}

std::string InstructionInterpreter::readLaunchArgument(ScriptLine& line,
                                                       const std::string& context) {
    const std::string& text = line.text;
    const size_t size = text.size();
    size_t i = static_cast<size_t>(line.position);
    while (i < size && isBlank(text[i])) {
        ++i;
    }
    std::string argument;
    if (i < size && text[i] == '"') {
        // Quotes stay in the argument: an even run of them is text, an odd
        // run ends the argument at its last quote.
        argument += text[i++];
        bool closed = false;
        while (i < size && !closed) {
            if (text[i] != '"') {
                argument += text[i++];
                continue;
            }
            const size_t runEnd = std::min(text.find_first_not_of('"', i), size);
            argument.append(runEnd - i, '"');
            closed = (runEnd - i) % 2 == 1;
            i = runEnd;
        }
        if (!closed) {
            throw LauncherException("Expected ending quote in " + argument + ":  " + context);
        }
        line.position = static_cast<long>(i);
    } else {
        const size_t blank = std::min(text.find_first_of(kBlanks, i), size);
        argument = text.substr(i, blank - i);
        line.position = static_cast<long>(blank < size ? blank + 1 : size);
    }
    evaluateString(argument, context);
    return argument;
}
