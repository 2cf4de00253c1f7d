#include "launch/classpath.h"

#include "base/log.h"
#include "base/run_state.h"
#include "jvmfile/jvm_file.h"
#include "launch/launch_script.h"
#include "launch/runtime_archives.h"
#include "launch/side_files.h"
#include "platform/environment.h"

namespace {

std::string quoted(const std::string& text) {
    return '"' + text + '"';
}

// One leading and one trailing double quote removed, where present.
std::string unquoted(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    if (last > first && text[first] == '"') {
        ++first;
    }
    if (last > first && text[last - 1] == '"') {
        --last;
    }
    return text.substr(first, last - first);
}

class Classpath {
public:
    explicit Classpath(std::string separator) : separator_(std::move(separator)) {}

    void append(const std::string& entry) {
        if (entry.empty()) {
            return;
        }
        if (!text_.empty()) {
            text_ += separator_;
        }
        text_ += entry;
    }
    void appendSideFile(const char* suffix) {
        for (const std::string& line : sideFileLines(suffix)) {
            append(line);
        }
    }
    const std::string& text() const { return text_; }

private:
    std::string separator_;
    std::string text_;
};

}  // namespace

std::string assembleClasspath(LaunchScript& script, JvmFile& jvmFile,
                              const std::vector<std::string>& arguments, bool environmentMode) {
    const auto asGiven = [environmentMode](const std::string& entry) {
        return environmentMode ? unquoted(entry) : entry;
    };
    Classpath classpath(jvmFile.tag("CLASSPATH_SEPARATOR"));
    classpath.append(quoted(script.literal(runState().classpathPrefix)));
    classpath.appendSideFile(".cp1");
    classpath.append(jvmFile.tag("JVM_CLASSPATH"));
    classpath.appendSideFile(".cp");
    for (const std::string& argument : arguments) {
        classpath.append(asGiven(argument));
    }
    classpath.append(asGiven(script.midRuntimeClasspath()));
    if (script.runtimeArchives()) {
        for (const std::string& path : runtimeArchivePaths()) {
            const std::string entry = script.literal(path);
            classpath.append(environmentMode ? entry : quoted(entry));
        }
    }
    classpath.appendSideFile(".cp2");
    classpath.append(quoted(script.literal(runState().classpathSuffix)));
    return classpath.text();
}

std::string classpathFunction(LaunchScript& script, JvmFile& jvmFile,
                              const std::vector<std::string>& arguments) {
    const bool environmentMode = jvmFile.tag("USE_CP_ENV_VAR") == "1";
    const std::string classpath = assembleClasspath(script, jvmFile, arguments, environmentMode);
    if (!environmentMode) {
        return classpath.empty() ? classpath : jvmFile.tag("CLASSPATH") + classpath;
    }
    const std::string value = script.withLiterals(classpath);
    const std::string variable = jvmFile.tag("CP_ENV_VAR");
    if (variable.empty()) {
        writeLog(
            "If USE_CP_ENV_VAR is set to 1 in the jvm file, then the jvm file should also define "
            "CP_ENV_VAR.",
            kLogError);
    } else {
        platform::setEnvironment(variable, value);
        writeLog("Set env var " + variable + " to " + value + "\n", kLogInfo);
    }
    return std::string();
}
