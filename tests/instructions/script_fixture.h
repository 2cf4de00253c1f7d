#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "base/launcher_exception.h"
#include "instructions/instruction_interpreter.h"
#include "instructions/instructions_exception.h"
#include "jvm/jvm_search.h"
#include "support/fake_verification_runner.h"
#include "support/temp_dir.h"
#include "tagfile/tag_file.h"

// An instructions file whose INSTRUCTIONS values are the given lines.
inline TagFile instructionsFile(const std::vector<std::string>& lines) {
    TagFile file;
    for (const std::string& line : lines) {
        file.addValue("INSTRUCTIONS", line);
    }
    return file;
}

// The JVM search of scripts that verify nothing: it knows no JVM file, and
// every verification is refused.
inline JvmSearch& testJvmSearch() {
    static FakeVerificationRunner runner;
    static JvmSearch search(runner, [] { return std::string(); });
    return search;
}

// How a run (or one operation) ended: kind "ok", "instructions" (with the
// line number) or "launcher", and the error text.
struct Outcome {
    std::string kind;
    std::string text;
    int line = 0;

    bool operator==(const Outcome& other) const {
        return kind == other.kind && text == other.text && line == other.line;
    }
};

inline Outcome ok() {
    return {"ok", "", 0};
}
inline Outcome instructionsError(const std::string& text, int line) {
    return {"instructions", text, line};
}
inline Outcome launcherError(const std::string& text) {
    return {"launcher", text, 0};
}

inline std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
    return out << outcome.kind << " \"" << outcome.text << "\" line " << outcome.line;
}

template <typename Operation>
Outcome outcomeOf(Operation operation) {
    try {
        operation();
        return ok();
    } catch (const InstructionsException& e) {
        return instructionsError(e.text(), e.lineNumber());
    } catch (const LauncherException& e) {
        return launcherError(e.text());
    }
}

inline Outcome runScript(const std::vector<std::string>& lines) {
    const TagFile file = instructionsFile(lines);
    InstructionInterpreter interpreter(file, testJvmSearch());
    return outcomeOf([&] { interpreter.run(); });
}

// A text file as the program wrote it in text mode, with the line ends read
// back as line feeds.
inline std::string textFileContents(const std::string& path) {
    std::string text = readFile(path);
    std::string::size_type out = 0;
    for (const char c : text) {
        if (c != '\r') {
            text[out++] = c;
        }
    }
    text.resize(out);
    return text;
}
