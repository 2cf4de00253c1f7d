#include "base/variable_store.h"

#include <array>
#include <string>

#include "base/launcher_exception.h"

namespace {

struct VariableStore {
    std::array<int32_t, kNumericVariableCount> numbers{};
    std::array<std::string, kStringVariableCount> texts;
};

VariableStore& store() {
    static VariableStore variables;
    return variables;
}

int32_t& numberSlot(int number) {
    if (number < 1 || number > kNumericVariableCount) {
        throw LauncherException("Invalid numeric variable number: " + std::to_string(number));
    }
    return store().numbers[number - 1];
}

std::string& textSlot(int number) {
    if (number < 1 || number > kStringVariableCount) {
        throw LauncherException("Invalid string variable number: " + std::to_string(number));
    }
    return store().texts[number - 1];
}

}  // namespace

int32_t getNumber(int number) {
    return numberSlot(number);
}

void setNumber(int number, int32_t value) {
    numberSlot(number) = value;
}

std::string getText(int number) {
    return textSlot(number);
}

void setText(int number, const std::string& text) {
    textSlot(number) = text;
}
