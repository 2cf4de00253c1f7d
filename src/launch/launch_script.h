#pragma once
#include <string>
#include <vector>

#include "jvmfile/macro_expander.h"

class JvmFile;
class TagFile;

// The launch script: the COMMAND template of the java command line and how
// it runs.  The template's %FUNCTION%(...) calls, @NAME@ tags of the JVM file
// and #NAME# environment variables are expanded, the application arguments
// appended, and java is started with the output captured into stdOut and
// errOut, which keep what every run of the object collected.
class LaunchScript : public MacroExpander {
public:
    // A loaded launch script: the classpath takes the embedded archives.
    explicit LaunchScript(const TagFile& tags);
    // A built command (verification): no embedded archives on the classpath.
    explicit LaunchScript(const std::string& commandText);

    // The template with its functions, tags and environment variables
    // expanded.  Errors of the template throw LauncherException "Launch
    // script error: ..." (see scriptError) before anything runs.
    std::string expandCommand(JvmFile& jvmFile);

    // Runs the command for the JVM: the home in quotes in front of the
    // expansion, each application argument quoted as the C runtime reads it
    // back, JAVA_HOME set to the home while it runs.  Returns java's exit
    // code; a child that cannot be started throws LauncherException.
    int execute(JvmFile& jvmFile, const std::vector<std::string>* appArgs, bool forceConsole);

    const std::string& stdOut() const { return stdOut_; }
    const std::string& errOut() const { return errOut_; }

    const std::string& command() const { return command_; }
    bool runtimeArchives() const { return runtimeArchives_; }
    // The ARCHIVE value after a % pass of its own, for the classpath.  A CP
    // call inside it, which would take the value again and again, is a
    // launch script error.
    std::string midRuntimeClasspath();

    // A value from outside the template (a path of the launcher, of its
    // workspace or temp directory, a classpath option) stands in the text
    // as a mark that no pass reads as a reference, so that a '%', '@' or '#'
    // in a path stays as it is; the marks become their values when the
    // expansion ends.  `withLiterals` puts the values in.
    std::string literal(const std::string& value);
    std::string withLiterals(const std::string& text) const;

    // A %NAME%(...) function call or a #NAME# environment variable.
    void substitute(std::string& text, char delimiter, size_t start, size_t end) override;

private:
    std::string workingDirectory() const;

    std::string command_;
    bool displayConsole_ = false;
    bool autoSetWorkingDir_ = true;
    std::string archive_;
    bool runtimeArchives_ = false;
    std::string stdOut_;
    std::string errOut_;
    JvmFile* jvmFile_ = nullptr;  // while an expansion runs
    bool expandingArchive_ = false;
    std::vector<std::string> literals_;  // of the expansion that runs
};
