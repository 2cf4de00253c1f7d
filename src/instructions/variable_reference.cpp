#include "instructions/variable_reference.h"

#include <cctype>

#include "base/launcher_exception.h"
#include "base/variable_store.h"
#include "instructions/decimal_reader.h"
#include "tagfile/text_utils.h"

namespace {

[[noreturn]] void fail(const std::string& context, const std::string& detail) {
    throw LauncherException(context + " " + detail);
}

}  // namespace

VariableReference VariableReference::parse(const std::string& text, const std::string& context) {
    if (text.size() < 2) {
        fail(context, "Variable references must be at least 2 characters (e.g. N1 and S10).");
    }
    const char type = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    if (type != 'N' && type != 'S') {
        fail(context, "Invalid variable reference (" + text +
                          "). Must use N or S as the variable type, e.g. N2 or S1.");
    }
    const std::string rest = text.substr(1);
    const int32_t bound = type == 'N' ? kNumericVariableCount : kStringVariableCount;
    int32_t number = 0;
    if (!readInt32(rest, number) || number < 1 || number > bound) {
        fail(context, "Variable number is invalid (" + rest + ")");
    }
    return VariableReference(type, number);
}

std::string VariableReference::value() const {
    return type_ == 'N' ? toDecimal(getNumber(number_)) : getText(number_);
}

void VariableReference::assign(const std::string& text, const std::string& context) const {
    if (type_ == 'S') {
        setText(number_, text);
        return;
    }
    int32_t number = 0;
    if (!readInt32(text, number)) {
        fail(context, "Invalid numeric expression in " + text);
    }
    setNumber(number_, number);
}
