#pragma once
#include <exception>
#include <string>

// The exception of every launcher failure: it carries the text shown to the
// user and written to the log.  Texts are built by appending the text of the
// failure that caused it to a context ("Error loading JVM file." + cause).
class LauncherException : public std::exception {
public:
    explicit LauncherException(std::string text) : text_(std::move(text)) {}
    const std::string& text() const { return text_; }
    const char* what() const noexcept override { return text_.c_str(); }

private:
    std::string text_;
};
