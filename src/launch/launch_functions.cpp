#include "launch/launch_functions.h"

#include <limits>

#include "base/run_state.h"
#include "jvmfile/jvm_file.h"
#include "launch/classpath.h"
#include "launch/launch_script.h"
#include "launch/side_files.h"
#include "payload/workspace.h"
#include "platform/system.h"

namespace {

using Arguments = std::vector<std::string>;

constexpr size_t kAnyCount = std::numeric_limits<size_t>::max();

std::string replaceAll(const std::string& search, const std::string& replacement,
                       const std::string& text) {
    if (search.empty()) {
        return text;
    }
    std::string result;
    size_t from = 0;
    for (size_t found = text.find(search); found != std::string::npos;
         found = text.find(search, from)) {
        result.append(text, from, found - from).append(replacement);
        from = found + search.size();
        // A short search text and a long replacement multiply the text.
        if (result.size() > kMaxExpansionLength) {
            throw ExpansionLimitError(text);
        }
    }
    return result.append(text, from, std::string::npos);
}

std::string systemProperty(JvmFile& jvm, const std::string& name, const std::string& value) {
    return jvm.tag("SYSTEM") + name + jvm.tag("SYSTEM_SEPARATOR") + jvm.expandTags(value);
}

void appendWord(std::string& words, const std::string& word) {
    if (word.empty()) {
        return;
    }
    if (!words.empty()) {
        words += ' ';
    }
    words += word;
}

std::string replaceFunction(LaunchScript&, JvmFile& jvm, const Arguments& arguments) {
    return replaceAll(jvm.expandTags(arguments[0]), jvm.expandTags(arguments[1]), arguments[2]);
}

std::string systemPropertyFunction(LaunchScript&, JvmFile& jvm, const Arguments& arguments) {
    return systemProperty(jvm, arguments[0], arguments[1]);
}

std::string runtimeSystemPropertiesFunction(LaunchScript&, JvmFile& jvm, const Arguments&) {
    std::string properties;
    for (const std::string& line : sideFileLines(".sp")) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos) {
            appendWord(properties,
                       systemProperty(jvm, line.substr(0, equals), line.substr(equals + 1)));
        }
    }
    return properties;
}

std::string runtimeJavaArgumentsFunction(LaunchScript&, JvmFile& jvm, const Arguments&) {
    std::string options;
    for (const std::string& line : sideFileLines(".ja")) {
        appendWord(options, jvm.expandTags(line));
    }
    const std::string required = jvm.tag("REQ_JAVA_ARGS");
    if (!required.empty()) {
        options += ' ' + required;
    }
    return options;
}

std::string ifExistsFunction(LaunchScript&, JvmFile& jvm, const Arguments& arguments) {
    return jvm.tag(arguments[0]).empty() ? std::string() : jvm.expandTags(arguments[1]);
}

std::string launcherFileFunction(LaunchScript& script, JvmFile&, const Arguments&) {
    return script.literal(launcherFileName());
}

std::string launcherDirectoryFunction(LaunchScript& script, JvmFile&, const Arguments&) {
    return script.literal(launcherDir());
}

std::string applicationArchiveFunction(LaunchScript& script, JvmFile&, const Arguments& arguments) {
    return script.literal(arguments.empty() ? embeddedApplicationArchive()
                                            : applicationArchiveBeside(arguments[0]));
}

std::string tempDirectoryFunction(LaunchScript& script, JvmFile&, const Arguments&) {
    std::string directory = tempDirectory();
    if (!directory.empty() && directory.back() == platform::pathSeparator()) {
        directory.pop_back();
    }
    return script.literal(directory);
}

const LaunchFunction kFunctions[] = {
    {"REPLACE", 3, 3, "REPLACE function requires 3 arguments.", replaceFunction},
    {"SYSTEMPROP", 2, 2, "SYSTEMPROP function requires 2 arguments.", systemPropertyFunction},
    {"RUNTIME_SYSTEMPROP", 0, 0, "RUNTIME_SYSTEMPROP function takes no arguments.",
     runtimeSystemPropertiesFunction},
    {"RUNTIME_JAVAARGS", 0, 0, "RUNTIME_JAVAARGS function takes no arguments.",
     runtimeJavaArgumentsFunction},
    {"IF_EXISTS", 2, 2, "IF_EXISTS function requires 2 arguments.", ifExistsFunction},
    {"LAUNCHER_FILE", 0, 0, "LAUNCHER_FILE function takes 0 arguments.", launcherFileFunction},
    {"LAUNCHER_DIR", 0, 0, "LAUNCHER_DIR function takes 0 arguments.", launcherDirectoryFunction},
    {"APPLICATION_ARCHIVE", 0, 1, "APPLICATION_ARCHIVE function takes 0 arguments.",
     applicationArchiveFunction},
    {"TEMP_DIR", 0, 0, "TEMP_DIR function takes 0 arguments.", tempDirectoryFunction},
    {"CP", 0, kAnyCount, "", classpathFunction},
};

}  // namespace

const LaunchFunction* findLaunchFunction(const std::string& name) {
    for (const LaunchFunction& function : kFunctions) {
        if (name == function.name) {
            return &function;
        }
    }
    return nullptr;
}
