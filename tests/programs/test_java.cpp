// A stand-in for the java program of a JVM, built as java (java.exe), for
// tests that need a JVM without a real Java runtime.  It skips the options
// before the class name (-cp and -classpath take the next argument, -Dname=value
// sets a property, other options are ignored).  For the verification class
// (named Verify, in any package) it then prints the line "1739021872" and, for
// every argument after the class name, a line with the value of the property
// of that name, as the verification class does.  For any other class it
// echoes its command line, as the Java test installer does: the line
// "arguments begin", every argument (options and class name included) on a
// line of its own, and the line "arguments end"; then, for every argument
// "--property=<name>", the line "property <name>=<value>".
// Property values, the first found wins:
//   -Dname=value options;
//   java.class.path: the -cp or -classpath argument; user.dir: the current
//   directory; env.NAME: the environment variable NAME;
//   the lines name=value of the properties file next to the program (its path
//   without extension, plus ".properties");
//   otherwise empty.
// The properties stderr.text and exit.code, when set, are written to
// standard error and become the exit code.  Without a class name the program
// ends with exit code 1.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "program_support.h"

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> propertiesFile() {
    std::map<std::string, std::string> properties;
    std::ifstream file(ownFile().replace_extension(".properties"));
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) {
            properties.emplace(line.substr(0, equals), line.substr(equals + 1));
        }
    }
    return properties;
}

class Properties {
public:
    std::string value(const std::string& name) const {
        const auto given = options.find(name);
        if (given != options.end()) {
            return given->second;
        }
        if (name == "java.class.path") {
            return classpath;
        }
        if (name == "user.dir") {
            return fs::current_path().string();
        }
        if (name.compare(0, 4, "env.") == 0) {
            const char* variable = std::getenv(name.c_str() + 4);
            return variable == nullptr ? std::string() : variable;
        }
        const auto inFile = file.find(name);
        return inFile == file.end() ? std::string() : inFile->second;
    }

    std::map<std::string, std::string> options;
    std::map<std::string, std::string> file = propertiesFile();
    std::string classpath;
};

bool isVerificationClass(const std::string& className) {
    const std::size_t dot = className.rfind('.');
    return className.compare(dot == std::string::npos ? 0 : dot + 1, std::string::npos, "Verify") ==
           0;
}

std::string verificationOutput(const Properties& properties,
                               const std::vector<std::string>& names) {
    std::string output = "1739021872\n";
    for (const std::string& name : names) {
        output += properties.value(name) + "\n";
    }
    return output;
}

std::string echoedArguments(const Properties& properties,
                            const std::vector<std::string>& arguments) {
    const std::string propertyOption = "--property=";
    std::string output = "arguments begin\n";
    std::string reported;
    for (const std::string& argument : arguments) {
        output += argument + "\n";
        if (argument.compare(0, propertyOption.size(), propertyOption) == 0) {
            const std::string name = argument.substr(propertyOption.size());
            reported += "property " + name + "=" + properties.value(name) + "\n";
        }
    }
    return output + "arguments end\n" + reported;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    Properties properties;
    std::size_t i = 0;
    for (; i < arguments.size() && arguments[i].compare(0, 1, "-") == 0; ++i) {
        const std::string& option = arguments[i];
        if ((option == "-cp" || option == "-classpath") && i + 1 < arguments.size()) {
            properties.classpath = arguments[++i];
        } else if (option.compare(0, 2, "-D") == 0) {
            const std::size_t equals = option.find('=');
            properties.options[option.substr(2, equals - 2)] =
                equals == std::string::npos ? std::string() : option.substr(equals + 1);
        }
    }
    if (i == arguments.size()) {
        writeStream(2, "Usage: java [options] class [property names]\n");
        return 1;
    }
    writeStream(1,
                isVerificationClass(arguments[i])
                    ? verificationOutput(properties, {arguments.begin() + i + 1, arguments.end()})
                    : echoedArguments(properties, arguments));
    writeStream(2, properties.value("stderr.text"));
    return std::atoi(properties.value("exit.code").c_str());
}
