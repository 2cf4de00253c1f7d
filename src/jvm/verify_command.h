#pragma once
#include <string>
#include <vector>

// One system property that identifies a JVM, and the value it must have.
struct JvmProperty {
    std::string name;
    std::string value;
};

// The verification command of a JVM file and what its output must show.
struct VerifyCommand {
    std::string text;
    std::vector<JvmProperty> jvmProperties;
    // JVM_PROPERTIES lines without "=", left out of the command.
    std::vector<std::string> invalidLines;
};

// Builds the command that runs the verification class with the JVM at
// @JVM_HOME@ and asks for each property of the JVM_PROPERTIES lines:
//   "@JVM_HOME@<sep>@JVM_EXE@" %CP%(<classpath>)  @REQ_JAVA_ARGS@ <class> <name>...
// A quoted classpath gets a second pair of quotes, so that the launch
// script's argument reader gives it back with its own.
VerifyCommand buildVerifyCommand(const std::string& classpath, const std::string& className,
                                 const std::vector<std::string>& propertyLines);
