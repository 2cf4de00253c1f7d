#include "jvm/verify_command.h"

#include "platform/system.h"
#include "tagfile/text_utils.h"

namespace {

bool isQuoted(const std::string& text) {
    return text.size() >= 2 && text.front() == '"' && text.back() == '"';
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
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            command.invalidLines.push_back(line);
            continue;
        }
        const std::string name = trim(line.substr(0, equals));
        text += ' ';
        text += name;
        command.jvmProperties.push_back({name, trim(line.substr(equals + 1))});
    }
    return command;
}
