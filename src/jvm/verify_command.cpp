#include "jvm/verify_command.h"

#include "platform/system.h"
#include "tagfile/text_utils.h"

namespace {

bool isQuoted(const std::string& text) {
    return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

// Splits a line into its property, or returns false for an invalid line.
bool parsePropertyLine(const std::string& line, JvmProperty& property) {
    size_t nameEnd = line.find('=');
    size_t valueStart = nameEnd + 1;
    if (nameEnd != std::string::npos && nameEnd > 0 &&
        (line[nameEnd - 1] == '<' || line[nameEnd - 1] == '>')) {
        property.test = line[nameEnd - 1] == '<' ? PropertyTest::kAtMost : PropertyTest::kAtLeast;
        --nameEnd;
    } else if (nameEnd == std::string::npos) {
        nameEnd = line.find_first_of("<>");
        if (nameEnd == std::string::npos) {
            return false;
        }
        property.test = line[nameEnd] == '<' ? PropertyTest::kBelow : PropertyTest::kAbove;
        valueStart = nameEnd + 1;
    }
    property.name = trim(line.substr(0, nameEnd));
    property.value = trim(line.substr(valueStart));
    return property.test == PropertyTest::kEquals ||
           (!property.name.empty() && !property.value.empty());
}

}  // namespace

VerifyCommand buildVerifyCommand(const std::string& classpath, const std::string& className,
                                 const std::vector<std::string>& propertyLines) {
    VerifyCommand command;
    std::string& text = command.text;
    text = "\"@JVM_HOME@";
    text += platform::pathSeparator();
    text += "@JVM_EXE@\" %CP%(";
    // A quoted classpath gets two more quotes on each side, which the
    // argument parser of %CP% reads as the classpath with its own quotes.
    text += isQuoted(classpath) ? "\"\"" + classpath + "\"\"" : classpath;
    text += ")  @REQ_JAVA_ARGS@ ";
    text += className;
    for (const std::string& line : propertyLines) {
        JvmProperty property;
        if (!parsePropertyLine(line, property)) {
            command.invalidLines.push_back(line);
            continue;
        }
        text += ' ';
        text += property.name;
        command.jvmProperties.push_back(property);
    }
    return command;
}
