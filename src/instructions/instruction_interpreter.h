#pragma once
#include <cstdint>
#include <string>

#include "tagfile/tag_file.h"

class JvmFile;
class JvmSearch;
class LaunchScript;

// One line of the script while it executes, and the reading position in it.
struct ScriptLine {
    explicit ScriptLine(const std::string& line) : text(line) {}

    const std::string& text;
    long position = 0;
    // Set when a word was asked for and none was left; stays set for the line.
    bool failed = false;
};

// Runs the instruction script: the values of the INSTRUCTIONS tag, one
// statement a line.  Structural errors throw InstructionsException with the
// 1-based line number; errors inside variable references and quoted texts
// are LauncherExceptions without one.
class InstructionInterpreter {
public:
    // FIND_JVM and VERIFY use the JVM search; LAUNCH and ILAUNCH run the
    // launch script, when there is one.
    InstructionInterpreter(const TagFile& instructions, JvmSearch& jvmSearch,
                           LaunchScript* launchScript = nullptr)
        : instructions_(instructions), jvmSearch_(jvmSearch), launchScript_(launchScript) {}

    const TagFile& script() const { return instructions_; }
    LaunchScript* launchScript() const { return launchScript_; }

    // Executes the script from its first line; returns the result of the last
    // LAUNCH or ILAUNCH (0 when none ran).  Throws InstructionsException, or
    // the LauncherException of a reference or of a command's work.
    int run();

    // The next white-space delimited word; one separator behind it is
    // consumed.  At the end of the line: sets `failed`, returns "".
    static std::string nextToken(ScriptLine& line);
    // A possibly quoted string expression (the file name of LAUNCH).
    std::string readLaunchArgument(ScriptLine& line, const std::string& context);
    // The line index that reads ":" + name.  The first line is never compared.
    int findLabel(const std::string& name);

    // Numbers and booleans after reference substitution.  The context starts
    // every error text.  A number beyond the range of its type is an invalid
    // numeric expression, as is a text that starts with no number.
    int32_t parseNumber(const std::string& text, const std::string& context);
    int16_t parseShortNumber(const std::string& text, const std::string& context);
    bool parseBoolean(const std::string& text, const std::string& context);
    // Unquotes the text (a leading double quote) or takes its first word, then
    // substitutes references.  An empty text stays empty.
    void evaluateString(std::string& text, const std::string& context);
    // Replaces every @reference@ by its value, again and again until a pass
    // makes no replacement; "@@" stands for one "@".  References that keep
    // expanding (a variable whose value refers back to itself) fail after a
    // bounded number of replacements or length of text.
    void substituteVariables(std::string& text, const std::string& context);

    [[noreturn]] void raiseInstructionError(const std::string& message) const;

private:
    void executeLine(const std::string& line);

    void gotoCommand(ScriptLine& line);
    void ilaunchCommand(ScriptLine& line);
    void initializeUiCommand(ScriptLine& line);
    void installJvmCommand(ScriptLine& line);
    void jmp0Command(ScriptLine& line);
    void launchCommand(ScriptLine& line);
    void setCommand(ScriptLine& line);
    void executeLauncherCommand(ScriptLine& line);
    void findJvmCommand(ScriptLine& line);
    void verifyCommand(ScriptLine& line);
    // A 0 or 1 argument; `usage` is the error when it is missing.
    bool readFlag(ScriptLine& line, const char* usage);
    int16_t launchSeconds(ScriptLine& line, const char* missing);
    int launchWith(JvmFile& jvmFile, int16_t seconds);

    int lineCount() const;
    std::string scriptLine(int index) const;

    const TagFile& instructions_;
    JvmSearch& jvmSearch_;
    LaunchScript* launchScript_;
    int currentLine_ = 0;
    int32_t lastLaunchResult_ = 0;
};
