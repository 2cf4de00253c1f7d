#include <cstdint>
#include <map>

#ifdef _WIN32
#include <windows.h>
#endif

#include "base/facade.h"
#include "base/launcher_exception.h"
#include "base/path_text.h"
#include "jvm/drive_file_finder.h"
#include "jvm/search_fixture.h"
#include "platform/environment.h"

namespace {

using Strings = std::vector<std::string>;

TEST_F(SearchTest, UserHomeIsCheckedWithEachFileUntilOneAccepts) {
    const std::string home = makeHome("user");
    addJvmFile({"First", {"java.vendor=Other"}});
    addJvmFile({"Second"});
    addJvmFile({"Third"});
    runState().javaHomeOption = home;
    MatchList matches;
    search_.findMatch(matches);
    EXPECT_EQ(homesOf(matches), Strings{home});
    EXPECT_EQ(runner_.runs, (Strings{"First|" + home, "Second|" + home}));
    EXPECT_TRUE(loggedLine("Checking user specified Java home directory => " + home)) << logged();
    EXPECT_FALSE(loggedLine("Initiating JVM search based on hints...")) << logged();
}

TEST_F(SearchTest, RefusedUserHomeFallsThroughToTheHints) {
    const std::string user = makeHome("user", kOtherOutput);
    const std::string bundled = makeHome("jre");
    addJvmFile({"First", {"java.vendor=Good"}, {"jre"}});
    runState().javaHomeOption = user;
    MatchList matches;
    search_.findMatch(matches);
    EXPECT_EQ(homesOf(matches), Strings{bundled});
    EXPECT_EQ(runner_.runs, (Strings{"First|" + user, "First|" + bundled}));
    EXPECT_TRUE(loggedLine("Initiating JVM search based on hints...")) << logged();
}

TEST_F(SearchTest, RefusedJvmLeadsToTheNextCandidateAndFile) {
    const std::string wrong = makeHome("wrong", kOtherOutput);
    const std::string noJava = directory_.file("empty");
    std::filesystem::create_directory(noJava);
    const std::string right = makeHome("right");
    addJvmFile({"First", {"java.vendor=Good"}, {"wrong", "empty"}});
    addJvmFile({"Second", {"java.vendor=Good"}, {"right"}});
    MatchList matches;
    search_.findMatch(matches);
    EXPECT_EQ(homesOf(matches), Strings{right});
    EXPECT_EQ(runner_.runs, (Strings{"First|" + wrong, "Second|" + right}));
    const std::string exe = joinPath("bin", "java.exe");
    EXPECT_TRUE(loggedLine("Verifying JVM at " + joinPath(noJava, exe) + "\n   for JVM: First"));
    EXPECT_TRUE(loggedLine(joinPath(noJava, exe) + " does not exist")) << logged();
    EXPECT_TRUE(loggedLine("Found matching JVM at " + right)) << logged();
    EXPECT_TRUE(loggedLine("Searching for First using platform hints"));
    EXPECT_TRUE(loggedLine("Searching for First using path hints"));
    EXPECT_TRUE(loggedLine("Searching for First using platform specific JVM Path hints"));
    // Verification wrote each home tested into its file.
    EXPECT_EQ(search_.jvmFiles()[0]->tag("JVM_HOME"), wrong);
}

TEST_F(SearchTest, SubStatusNamesTheFileAndTheVerificationAndIsRestored) {
    makeHome("jre");
    addJvmFile({"Java 5", {"java.vendor=Good"}, {"jre"}});
    MatchList matches;
    search_.findMatch(matches);
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(calls_, (Strings{"detail:|Searching for Java 5", "detail:|Verifying Java 5", "step:6",
                               "detail:|Searching for Java 5"}));
}

TEST_F(SearchTest, LauncherRelativeHintMarksTheJvmAsTemporary) {
    const std::string home = makeHome("jre");
    addJvmFile({"First", {"java.vendor=Good"}, {"jre"}});
    MatchList matches;
    search_.findMatch(matches);
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_TRUE(matches[0]->jvmTemp());
    const std::string written = matches[0]->writeJvmFile();
    const TagFile file(written);
    EXPECT_EQ(file.getValue("JVM_HOME"), home);
    EXPECT_EQ(file.getValue("JVM_FILE"), written);
    EXPECT_EQ(file.getValue("JVM_TEMP"), "1");
    EXPECT_FALSE(loggedLine("Checking path hint " + home)) << "no line of its own";
}

TEST_F(SearchTest, LauncherWithoutDirectoryTakesTheHintAsItIs) {
    runState().originalLauncherFileName = "setup.exe";
    addJvmFile({"First", {"java.vendor=Good"}, {"no-such-jre"}});
    MatchList matches;
    search_.findMatch(matches);
    EXPECT_TRUE(matches.empty());
    EXPECT_TRUE(
        loggedLine(joinPath("no-such-jre", joinPath("bin", "java.exe")) + " does not exist"))
        << logged();
}

TEST_F(SearchTest, DriveRelativeHintIsTriedOnEveryDriveInOrder) {
    const std::string home = makeHome("jre");
    // The home without its drive: "\dir\jre" (or "/dir/jre").
    const size_t root = home.find(platform::pathSeparator());
    const std::string hint = home.substr(root);
    addJvmFile({"First", {"java.vendor=Good"}, {hint}});
    MatchList matches;
    search_.findMatch(matches);
    ASSERT_EQ(homesOf(matches), Strings{home});
    EXPECT_FALSE(matches[0]->jvmTemp());
    const std::string drive = home.substr(0, root);
    for (const std::string& each : logicalDrives()) {
        EXPECT_TRUE(loggedLine("Checking path hint " + each + hint)) << logged();
        if (each == drive) {
            break;
        }
    }
}

TEST_F(SearchTest, FileWithoutPropertiesFindsNothingAndSaysSo) {
    makeHome("jre");
    addJvmFile({"First", {}, {"jre"}});
    MatchList matches;
    search_.findMatch(matches);
    EXPECT_TRUE(matches.empty());
    EXPECT_TRUE(runner_.runs.empty());
    EXPECT_TRUE(
        loggedLine("WARNING: Unable to verify First.jvm because the JVM_PROPERTIES tag "
                   "was not specified."))
        << logged();
}

TEST_F(SearchTest, PropertyLinesWithoutEqualsAreSkippedWithAWarning) {
    const std::string home = makeHome("jre");
    addJvmFile({"First", {"no equals", "java.vendor=Good"}, {"jre"}});
    MatchList matches;
    search_.findMatch(matches);
    EXPECT_EQ(homesOf(matches), Strings{home});
    EXPECT_TRUE(
        loggedLine("WARNING: Invalid JVM_PROPERTIES setting (no equals) in JVM File First.jvm"))
        << logged();
}

TEST_F(SearchTest, PlatformHintsReadTheRegistry) {
    const std::string home = makeHome("registered");
    const std::string hint = "\\HKEY_CURRENT_USER\\Software\\LauncherJvmSearchTest" +
                             std::to_string(reinterpret_cast<uintptr_t>(this)) + "\\Home";
#ifdef _WIN32
    const std::string key = hint.substr(19, hint.rfind('\\') - 19);
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &opened, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(opened, "Home", 0, REG_SZ, reinterpret_cast<const BYTE*>(home.c_str()),
                   static_cast<DWORD>(home.size() + 1));
    RegCloseKey(opened);
#endif
    addJvmFile({"First", {"java.vendor=Good"}, {}, {"", hint}});
    MatchList matches;
    search_.findMatch(matches);
#ifdef _WIN32
    RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    EXPECT_EQ(homesOf(matches), Strings{home});
    EXPECT_TRUE(
        loggedLine("Checking JVM at " + home + " which was resolved from platform hint " + hint))
        << logged();
#else
    EXPECT_TRUE(matches.empty());
    EXPECT_NE(logged().find("WARNING: "), std::string::npos) << "the failed read is logged";
#endif
}

// Sets test variables for one test and removes them at its end.
class EnvironmentHints {
public:
    explicit EnvironmentHints(std::map<std::string, std::string> values)
        : values_(std::move(values)) {
        for (const auto& [name, value] : values_) {
            platform::setEnvironment(name, value);
        }
    }
    ~EnvironmentHints() {
        for (const auto& entry : values_) {
            platform::unsetEnvironment(entry.first);
        }
    }

private:
    std::map<std::string, std::string> values_;
};

void addEnvironmentHints(JvmFile& jvmFile, const Strings& names) {
    for (const std::string& name : names) {
        jvmFile.tags().addValue("ENV_HINT", name);
    }
}

TEST_F(SearchTest, EnvironmentHintsComeBeforeTheOtherHintsAndSkipUnsetVariables) {
    const std::string wrong = makeHome("wrong", kOtherOutput);
    const std::string right = makeHome("right");
    makeHome("jre");
    const EnvironmentHints variables({{"LAUNCHER_TEST_EMPTY", ""},
                                      {"LAUNCHER_TEST_WRONG", wrong},
                                      {"LAUNCHER_TEST_RIGHT", right}});
    platform::unsetEnvironment("LAUNCHER_TEST_UNSET");
    JvmFile& file = addJvmFile({"First", {"java.vendor=Good"}, {"jre"}});
    addEnvironmentHints(file, {"", "LAUNCHER_TEST_UNSET", "LAUNCHER_TEST_EMPTY",
                               "LAUNCHER_TEST_WRONG", "LAUNCHER_TEST_RIGHT"});
    MatchList matches;
    search_.findMatch(matches);
    EXPECT_EQ(homesOf(matches), Strings{right});
    EXPECT_EQ(runner_.runs, (Strings{"First|" + wrong, "First|" + right}));
    EXPECT_TRUE(loggedLine("Searching for First using environment hints")) << logged();
    EXPECT_TRUE(loggedLine("Checking JVM at " + right +
                           " which was resolved from environment variable LAUNCHER_TEST_RIGHT"))
        << logged();
    EXPECT_FALSE(loggedLine("Searching for First using platform hints")) << logged();
}

TEST_F(SearchTest, EnvironmentHintsThatFindNothingLeaveTheSearchAsBefore) {
    const std::string missing = directory_.file("missing");
    const std::string bundled = makeHome("jre");
    const EnvironmentHints variables({{"LAUNCHER_TEST_MISSING", missing}});
    addEnvironmentHints(addJvmFile({"First", {"java.vendor=Good"}}), {"LAUNCHER_TEST_MISSING"});
    addJvmFile({"Second", {"java.vendor=Good"}, {"jre"}});
    MatchList matches;
    search_.findMatch(matches);
    EXPECT_EQ(homesOf(matches), Strings{bundled});
    EXPECT_EQ(runner_.runs, Strings{"Second|" + bundled});
    EXPECT_TRUE(loggedLine(joinPath(missing, joinPath("bin", "java.exe")) + " does not exist"))
        << logged();
    EXPECT_TRUE(loggedLine("Searching for First using platform hints")) << logged();
    // A file without ENV_HINT has no environment search at all.
    EXPECT_EQ(logged().find("Searching for Second using environment hints"), std::string::npos)
        << logged();
}

TEST_F(SearchTest, UnknownHiveEndsTheSearch) {
    addJvmFile({"First", {"java.vendor=Good"}, {}, {"\\hkey_current_user\\x\\y"}});
    MatchList matches;
    EXPECT_THROW(search_.findMatch(matches), LauncherException);
}

TEST_F(SearchTest, PlatformPathsAreTheJavaDirectoriesOfTheSearchPath) {
    const std::string exe = joinPath("bin", "java");
    const std::string home = makeHome("jdk", kGoodOutput, exe);
    addJvmFile({"First", {"java.vendor=Good"}, {}, {}, false, exe});
    std::filesystem::permissions(joinPath(home, exe), std::filesystem::perms::owner_all);
    const std::string bin = joinPath(home, "bin");
    runner_.answers[home + "/"] = kGoodOutput;
    platform::setEnvironment("PATH", "relative:" + bin);
    MatchList matches;
    search_.findMatch(matches);
    if (platform::pathSeparator() == '\\') {
        EXPECT_TRUE(matches.empty()) << "Windows has no platform JVM paths";
        return;
    }
    EXPECT_EQ(homesOf(matches), Strings{home + "/"});
    EXPECT_TRUE(loggedLine("Checking JVM at " + home +
                           "/ which was resolved from the platform "
                           "JVM path " +
                           bin))
        << logged();
}

// Three files, SEARCH_ALL on the first: its hints find nothing, the other
// files' hints are never tried, and the scan looks for every executable.
TEST_F(SearchTest, SearchAllEndsTheHintsAndScansForEveryExecutable) {
    const std::string tree = directory_.file("drive");
    const std::string other = joinPath("jre", joinPath("bin", "javaw.exe"));
    addJvmFile({"First", {"java.vendor=Good"}, {"missing"}, {}, true});
    addJvmFile({"Second", {"java.vendor=Good"}, {"jre"}, {}, false, other});
    addJvmFile({"Third", {"java.vendor=Good"}, {"jre"}});
    const std::string found = makeHome(joinPath("drive", "x"));
    scanOnly(tree);
    MatchList matches;
    search_.findMatch(matches);
    EXPECT_EQ(homesOf(matches), Strings{found});
    EXPECT_EQ(scannedNames_, (std::vector<Strings>{{joinPath("bin", "java.exe"), other}}));
    EXPECT_EQ(logged().find("Searching for Second"), std::string::npos) << logged();
    EXPECT_TRUE(loggedLine("Beginning exhaustive search"));
    EXPECT_TRUE(calls_.size() > 0);
    EXPECT_NE(std::find(calls_.begin(), calls_.end(),
                        "detail:|Scanning disk(s) for a Java(tm) Virtual Machine..."),
              calls_.end());
}

// Two files with the same executable, the first refusing every JVM: each
// candidate is checked by the first at once and recorded for the second,
// which accepts the first one in the unverified phase and stops there.
TEST_F(SearchTest, StopAtFirstChecksWithTheFirstFileAndRecordsForTheOthers) {
    addJvmFile({"First", {"java.vendor=Nobody"}, {}, {}, true});
    addJvmFile({"Second"});
    const std::string a = makeHome(joinPath("drive", "a"));
    const std::string b = makeHome(joinPath("drive", "b"));
    scanOnly(directory_.file("drive"));
    MatchList matches;
    search_.findMatch(matches);
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(scannedNames_.at(0), Strings{joinPath("bin", "java.exe")}) << "looked for once";
    ASSERT_EQ(runner_.runs.size(), 3u);
    EXPECT_EQ(runner_.runs[0].substr(0, 6), "First|");
    EXPECT_EQ(runner_.runs[1].substr(0, 6), "First|");
    EXPECT_EQ(runner_.runs[2], "Second|" + matches[0]->home());
    EXPECT_TRUE(loggedLine("Processing unverified matches.\n")) << logged();
    EXPECT_TRUE(matches[0]->home() == a || matches[0]->home() == b);
}

TEST_F(SearchTest, StopAtFirstEndsTheScanWhenTheFirstFileAccepts) {
    addJvmFile({"First", {"java.vendor=Good"}, {}, {}, true});
    makeHome(joinPath("drive", "a"));
    makeHome(joinPath("drive", "b"));
    scanOnly(directory_.file("drive"));
    MatchList matches;
    search_.findMatch(matches);
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(runner_.runs.size(), 1u);
    EXPECT_FALSE(loggedLine("Processing unverified matches.\n"));
}

TEST_F(SearchTest, FindAllVerifiesEveryHomeForEveryFile) {
    addJvmFile({"First", {"java.vendor=Good"}, {"jre"}});
    addJvmFile({"Second", {"java.vendor=Good"}});
    const std::string a = makeHome(joinPath("drive", "a"));
    const std::string b = makeHome(joinPath("drive", "b"), kOtherOutput);
    // The finder reports a file once for each name it ends with.
    scanOnly(directory_.file("drive"));
    MatchList matches;
    search_.findAll(matches);
    EXPECT_EQ(runner_.runs.size(), 4u) << "no hints, every home for each file";
    EXPECT_EQ(homesOf(matches), (Strings{a, a}));
    EXPECT_EQ(&matches[0]->tags(), &search_.jvmFiles()[0]->tags());
    EXPECT_EQ(&matches[1]->tags(), &search_.jvmFiles()[1]->tags());
    EXPECT_NE(std::find(runner_.runs.begin(), runner_.runs.end(), "Second|" + b),
              runner_.runs.end());
}

TEST_F(SearchTest, FoundFilesGiveCandidatesOnlyForTheirExactExecutable) {
    addJvmFile({"First"});
    addJvmFile({"Second", {"java.vendor=Good"}, {}, {}, false, "java.exe"});
    const char s = platform::pathSeparator();
    const std::string exact = makeHome("exact");
    const std::string upper = directory_.file(std::string("upper") + s + "BIN" + s + "java.exe");
    std::filesystem::create_directories(std::filesystem::path(upper).parent_path());
    writeFile(upper, "java");
    const std::string glued = directory_.file(std::string("xbin") + s + "java.exe");
    std::filesystem::create_directories(directory_.file("xbin"));
    writeFile(glued, "java");
    search_.setDriveScan([&](const Strings&, FileFoundHandler& handler) {
        for (const std::string& path :
             {joinPath(exact, joinPath("bin", "java.exe")), upper, glued}) {
            handler.onFileFound(path);
        }
        return false;
    });
    runner_.answers[directory_.file("upper") + s + "BIN"] = kGoodOutput;
    runner_.answers[joinPath(exact, "bin")] = kGoodOutput;
    runner_.answers[directory_.file("xbin")] = kGoodOutput;
    MatchList matches;
    search_.findAll(matches);
    // First: only the exact "bin<sep>java.exe" below a directory; Second:
    // every directory holding "java.exe".
    EXPECT_EQ(homesOf(matches),
              (Strings{exact, joinPath(exact, "bin"), directory_.file("upper") + s + "BIN",
                       directory_.file("xbin")}));
}

TEST_F(SearchTest, CancelStopsTheUnverifiedPhase) {
    addJvmFile({"First"});
    makeHome(joinPath("drive", "a"));
    makeHome(joinPath("drive", "b"));
    scanOnly(directory_.file("drive"));
    class CancellingRunner : public VerificationRunner {
    public:
        std::string run(JvmFile&, const std::string&) override {
            ++runs;
            requestCancel();
            return kGoodOutput;
        }
        int runs = 0;
    } cancelling;
    search_.setVerificationRunner(cancelling);
    MatchList matches;
    search_.findAll(matches);
    EXPECT_EQ(cancelling.runs, 1);
    EXPECT_EQ(matches.size(), 1u);
}

TEST_F(SearchTest, CancelStopsTheDriveScan) {
    addJvmFile({"First"});
    makeHome(joinPath("drive", "a"));
    scanOnly(directory_.file("drive"));
    requestCancel();
    MatchList matches;
    search_.findAll(matches);
    EXPECT_EQ(scannedNames_.size(), 1u);
    EXPECT_TRUE(runner_.runs.empty());
    EXPECT_TRUE(matches.empty());
}

TEST_F(SearchTest, NothingToLookForScansNothing) {
    addJvmFile({"First", {"java.vendor=Good"}, {}, {}, false, ""});
    MatchList matches;
    search_.findAll(matches);  // the fixture's scan fails the test when called
    EXPECT_TRUE(matches.empty());
}

TEST_F(SearchTest, VerifyClassIsTheGivenOneOrNone) {
    addJvmFile({"First", {"java.vendor=Good"}, {"jre"}});
    makeHome("jre");
    MatchList matches;
    search_.findMatch(matches);
    ASSERT_EQ(runner_.commands.size(), 1u);
    EXPECT_NE(runner_.commands[0].find("%CP%()  @REQ_JAVA_ARGS@  java.vendor"), std::string::npos)
        << runner_.commands[0];
    search_.setVerifyClass("\"v.jar\"", "\"Check\"");
    search_.findMatch(matches);
    EXPECT_NE(runner_.commands[1].find("%CP%(\"\"\"v.jar\"\"\")  @REQ_JAVA_ARGS@ \"Check\" "
                                       "java.vendor"),
              std::string::npos)
        << runner_.commands[1];
}

}  // namespace
