#pragma once
#include <string>

class TagFile;

// A JVM that was found and accepted: its home as it was tested and the tag
// set of the JVM file that accepted it (shared, not copied).
class JvmMatch {
public:
    JvmMatch(std::string jvmHome, TagFile& tags) : jvmHome_(std::move(jvmHome)), tags_(tags) {}
    virtual ~JvmMatch() = default;
    JvmMatch(const JvmMatch&) = delete;
    JvmMatch& operator=(const JvmMatch&) = delete;

    // Whether the JVM came with the launcher (a path hint beside it).
    void setJvmTemp(bool temporary) { jvmTemp_ = temporary; }
    bool jvmTemp() const { return jvmTemp_; }
    const std::string& home() const { return jvmHome_; }
    TagFile& tags() const { return tags_; }

    // Writes the JVM file of the match, completed with JVM_HOME, JVM_FILE and
    // JVM_TEMP, into a new workspace file and returns its path.  Throws
    // LauncherException when the workspace or the file fails.
    std::string writeJvmFile();

private:
    std::string jvmHome_;
    TagFile& tags_;
    bool jvmTemp_ = false;
};
