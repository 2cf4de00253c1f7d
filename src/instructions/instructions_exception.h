#pragma once
#include <exception>
#include <string>

// An error in the instruction script; lineNumber is 1-based among the
// INSTRUCTIONS values.
class InstructionsException : public std::exception {
public:
    InstructionsException(std::string text, int lineNumber)
        : text_(std::move(text)), lineNumber_(lineNumber) {}
    const std::string& text() const { return text_; }
    int lineNumber() const { return lineNumber_; }
    const char* what() const noexcept override { return text_.c_str(); }

private:
    std::string text_;
    int lineNumber_;
};
