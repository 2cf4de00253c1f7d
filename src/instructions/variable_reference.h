#pragma once
#include <cstdint>
#include <string>

// A parsed variable name such as N2 or S10.  Every error is a
// LauncherException whose text starts with the caller's context and a blank.
class VariableReference {
public:
    // The type letter (either case) followed by the number, read like "%ld".
    static VariableReference parse(const std::string& text, const std::string& context);

    char type() const { return type_; }  // 'N' or 'S'
    int32_t number() const { return number_; }

    // N: the number in decimal; S: the text.
    std::string value() const;
    // N: the text read like "%ld"; S: the text as it is.
    void assign(const std::string& text, const std::string& context) const;

private:
    VariableReference(char type, int32_t number) : type_(type), number_(number) {}

    char type_;
    int32_t number_;
};
