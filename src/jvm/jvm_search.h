#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "jvm/drive_file_finder.h"
#include "jvm/verification_runner.h"
#include "jvmfile/jvm_file.h"
#include "jvmfile/jvm_match.h"

class TagFile;

// The accepted JVMs a search found, in the order found.
using MatchList = std::vector<std::unique_ptr<JvmMatch>>;

// Asks the user for a java program; empty when the user cancelled.
using ProgramFilePrompt = std::function<std::string()>;
// Walks the drives for files ending in one of the names; returns whether the
// handler stopped the walk.
using DriveScan =
    std::function<bool(const std::vector<std::string>& names, FileFoundHandler& handler)>;

// Finds the JVMs on the machine that the JVM files accept: a Java home the
// user named, each file's hints, and, when a file asks for it, a scan of
// every drive for the files' executables.
class JvmSearch : public FileFoundHandler {
public:
    explicit JvmSearch(VerificationRunner& runner, ProgramFilePrompt promptForJava = {});
    JvmSearch(const JvmSearch&) = delete;
    JvmSearch& operator=(const JvmSearch&) = delete;

    // Appends a JVM file for the tag set, which must outlive the search.
    void addJvmFile(TagFile& tags);
    void clearJvmFiles();
    const std::vector<std::unique_ptr<JvmFile>>& jvmFiles() const { return jvmFiles_; }

    void setVerificationRunner(VerificationRunner& runner) { runner_ = &runner; }
    // Replaces the scan of every fixed and network drive.
    void setDriveScan(DriveScan scan) { driveScan_ = std::move(scan); }

    void setVerifyClass(const std::string& classpath, const std::string& className);
    // The verification class and runner.  When no class was set, the last
    // verification archive of the launcher file is put into the workspace and
    // its class Verify is used.  Throws LauncherException when that fails.
    Verification verifyClass();

    // Appends at most one accepted JVM: the user's Java home ("-vd:javahome"),
    // then the hints of the files in order; a file with SEARCH_ALL ends the
    // hints and starts the drive scan, which stops at the first acceptance.
    void findMatch(MatchList& results);
    // Appends every accepted JVM the drive scan finds.
    void findAll(MatchList& results);

    // The user's pick of a java program.
    std::string promptForJava() const { return promptForJava_(); }

    // A file the drive scan found; returns true to stop the scan.
    bool onFileFound(const std::string& path) override;

private:
    struct Unverified {
        JvmFile* jvmFile;
        std::vector<std::string> homes;
    };

    void reset();
    void scanDrives(MatchList& results);
    void remember(JvmFile& jvmFile, const std::string& home);

    std::vector<std::unique_ptr<JvmFile>> jvmFiles_;
    VerificationRunner* runner_;
    ProgramFilePrompt promptForJava_;
    DriveScan driveScan_ = findOnAllDrives;
    std::string verifyClasspath_;
    std::string verifyClassName_;
    std::unique_ptr<JvmMatch> match_;
    bool stopAtFirst_ = false;
    std::vector<Unverified> unverifiedMatches_;
};
