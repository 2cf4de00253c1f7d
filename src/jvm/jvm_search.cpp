#include "jvm/jvm_search.h"

#include <algorithm>

#include "base/facade.h"
#include "base/log.h"
#include "base/run_state.h"
#include "jvm/jvm_file_strategies.h"
#include "jvm/verify_archive.h"
#include "platform/file_prompt.h"

JvmSearch::JvmSearch(VerificationRunner& runner, ProgramFilePrompt promptForJava)
    : runner_(&runner),
      promptForJava_(promptForJava ? std::move(promptForJava) : platform::promptForProgramFile) {}

void JvmSearch::addJvmFile(TagFile& tags) {
    jvmFiles_.push_back(std::make_unique<JvmFile>(tags));
}

void JvmSearch::clearJvmFiles() {
    unverifiedMatches_.clear();
    jvmFiles_.clear();
}

void JvmSearch::setVerifyClass(const std::string& classpath, const std::string& className) {
    verifyClasspath_ = classpath;
    verifyClassName_ = className;
}

Verification JvmSearch::verifyClass() {
    if (verifyClasspath_.empty() && verifyClassName_.empty()) {
        const std::string archive = extractVerifyArchive();
        if (!archive.empty()) {
            verifyClasspath_ = "\"" + archive + "\"";
            verifyClassName_ = "\"Verify\"";
        }
    }
    return {verifyClasspath_, verifyClassName_, *runner_};
}

void JvmSearch::reset() {
    match_.reset();
    stopAtFirst_ = false;
    unverifiedMatches_.clear();
}

void JvmSearch::findMatch(MatchList& results) {
    reset();
    const Verification verification = verifyClass();
    const std::string& userHome = runState().javaHomeOption;
    if (!userHome.empty()) {
        writeLog("Checking user specified Java home directory => " + userHome, kLogInfo);
        for (auto file = jvmFiles_.begin(); file != jvmFiles_.end() && !match_; ++file) {
            match_ = checkLocation(**file, userHome, verification);
        }
    }
    bool searchAll = false;
    if (!match_) {
        writeLog("Initiating JVM search based on hints...", kLogInfo);
        for (auto file = jvmFiles_.begin(); file != jvmFiles_.end() && !match_ && !searchAll;
             ++file) {
            JvmFile& jvmFile = **file;
            searchAll = jvmFile.searchAll();
            const SubStatusWrapper subStatus;
            showSubStatus(kSubStatusSearching, jvmFile.description());
            match_ = searchEnvironmentHints(jvmFile, verification);
            if (!match_) {
                match_ = searchPlatformHints(jvmFile, verification);
            }
            if (!match_) {
                match_ = searchPathHints(jvmFile, verification);
            }
            if (!match_) {
                match_ = searchPlatformPaths(jvmFile, verification);
            }
        }
    }
    if (!match_ && searchAll) {
        stopAtFirst_ = true;
        scanDrives(results);
    }
    if (match_) {
        results.push_back(std::move(match_));
    }
}

void JvmSearch::findAll(MatchList& results) {
    reset();
    verifyClass();
    scanDrives(results);
}

void JvmSearch::scanDrives(MatchList& results) {
    unverifiedMatches_.clear();
    std::vector<std::string> filesToMatch;
    for (const auto& file : jvmFiles_) {
        const std::string exe = file->jvmExe();
        if (!exe.empty() &&
            std::find(filesToMatch.begin(), filesToMatch.end(), exe) == filesToMatch.end()) {
            filesToMatch.push_back(exe);
        }
    }
    const SubStatusWrapper subStatus;
    showSubStatus(kSubStatusScanning, std::string());
    writeLog("Beginning exhaustive search", kLogInfo);
    // Without a name to look for, no file could be a candidate.
    if (!filesToMatch.empty()) {
        driveScan_(filesToMatch, *this);
    }
    if (match_) {
        return;
    }
    writeLog("Processing unverified matches.\n", kLogInfo);
    const Verification verification = verifyClass();
    bool accepted = false;
    for (const Unverified& entry : unverifiedMatches_) {
        for (const std::string& home : entry.homes) {
            if (cancelRequested() || (accepted && stopAtFirst_)) {
                return;
            }
            if (auto match = checkLocation(*entry.jvmFile, home, verification)) {
                results.push_back(std::move(match));
                accepted = true;
            }
        }
    }
}

bool JvmSearch::onFileFound(const std::string& path) {
    for (size_t i = 0; i < jvmFiles_.size() && !match_; ++i) {
        JvmFile& jvmFile = *jvmFiles_[i];
        const std::string home = homeOfExecutable(path, jvmFile.jvmExe());
        if (home.empty()) {
            continue;
        }
        if (i == 0 && stopAtFirst_) {
            match_ = checkLocation(jvmFile, home, verifyClass());
        } else {
            remember(jvmFile, home);
        }
    }
    return match_ != nullptr;
}

void JvmSearch::remember(JvmFile& jvmFile, const std::string& home) {
    auto entry = std::find_if(unverifiedMatches_.begin(), unverifiedMatches_.end(),
                              [&](const Unverified& e) { return e.jvmFile == &jvmFile; });
    if (entry == unverifiedMatches_.end()) {
        unverifiedMatches_.push_back({&jvmFile, {}});
        entry = unverifiedMatches_.end() - 1;
    }
    if (std::find(entry->homes.begin(), entry->homes.end(), home) == entry->homes.end()) {
        entry->homes.push_back(home);
    }
}
