#pragma once
#include <string>
#include <vector>

// How the value a JVM shows for a property is held against the expected one.
enum class PropertyTest {
    kEquals,  // the same text, or for a value ending in "..." the same start
    kAtLeast,
    kAtMost,
    kAbove,
    kBelow,
};

// One system property that identifies a JVM, and the value it must have.
struct JvmProperty {
    std::string name;
    std::string value;
    PropertyTest test = PropertyTest::kEquals;
};

// The verification command of a JVM file and what its output must show.
struct VerifyCommand {
    std::string text;
    std::vector<JvmProperty> jvmProperties;
    // JVM_PROPERTIES lines that are neither "<name>=<value>" nor a version
    // comparison, left out of the command.
    std::vector<std::string> invalidLines;
};

// Builds the command that runs the verification class with the JVM at
// @JVM_HOME@ and asks for each property of the JVM_PROPERTIES lines:
//   "@JVM_HOME@<sep>@JVM_EXE@" %CP%(<classpath>)  @REQ_JAVA_ARGS@ <class> <name>...
// A line "<name>>=<version>" (also "<=", ">", "<") compares the value as a
// version (compareVersions); its name and version must not be empty.
// Otherwise the first "=" ends the name, and the rest is the value.
// A quoted classpath gets a second pair of quotes, so that the launch
// script's argument reader gives it back with its own.
VerifyCommand buildVerifyCommand(const std::string& classpath, const std::string& className,
                                 const std::vector<std::string>& propertyLines);
