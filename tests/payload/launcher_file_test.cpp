#include <gtest/gtest.h>

#include <algorithm>

#include "instructions/instruction_interpreter.h"
#include "launch/launch_script.h"
#include "launcher/facade.h"
#include "launcher/launcher_exception.h"
#include "launcher/log.h"
#include "launcher/messages.h"
#include "launcher/run_state.h"
#include "payload/launcher_file.h"
#include "support/launcher_builder.h"
#include "support/recording_launcher.h"
#include "support/temp_dir.h"

namespace {

// The tests load their own LauncherFile objects, so they do not depend on
// the process-wide one; each names its fixture as the running launcher file.
class LauncherFileTest : public testing::Test {
protected:
    void TearDown() override {
        setLogFile("");
        setCurrentLauncher(nullptr);
    }

    void use(const std::string& path) { runState().launcherFileName = path; }

    using TagList = std::vector<std::pair<std::string, std::vector<std::string>>>;
    static TagList contents(const TagFile& tags) {
        TagList list;
        for (const TagFile::TagEntry& entry : tags.tags()) {
            list.emplace_back(entry.name, entry.values);
        }
        return list;
    }

    TempDir directory_;
};

TEST_F(LauncherFileTest, IndexHoldsEveryStoredField) {
    use(LauncherBuilder(directory_)
            .stub("STUB")
            .add(kFileInstructions, 1, "instructions.tag", "INSTRUCTIONS: GOTO END\n")
            .add(kFileJvmInstaller, 7, "jre setup.exe", "123456")
            .compressed(250, 80000000)
            .add(kFileArchive, -5, "lib/a.jar", "")
            .add(kFileEmbeddedLauncher, INT32_MAX, std::string(32767, 'n'), "x")
            .buildUnchecked());  // the index holds any name; extraction refuses this one
    LauncherFile file;
    file.load(false);

    const struct {
        int32_t type, id, length, offset;
        std::string name;
        bool compressed;
        int32_t count, size;
    } expected[] = {
        {kFileInstructions, 1, 23, 4, "instructions.tag", false, 0, 0},
        {kFileJvmInstaller, 7, 6, 27, "jre setup.exe", true, 250, 80000000},
        {kFileArchive, -5, 0, 33, "lib/a.jar", false, 0, 0},
        {kFileEmbeddedLauncher, INT32_MAX, 1, 33, std::string(32767, 'n'), false, 0, 0},
    };
    ASSERT_EQ(file.entryCount(), 4);
    for (int i = 0; i < 4; ++i) {
        const FileIndexEntry& entry = *file.entryAt(i);
        EXPECT_EQ(entry.fileType, expected[i].type) << i;
        EXPECT_EQ(entry.fileId, expected[i].id) << i;
        EXPECT_EQ(entry.length, expected[i].length) << i;
        EXPECT_EQ(entry.offset, expected[i].offset) << i;
        EXPECT_EQ(entry.name, expected[i].name) << i;
        EXPECT_EQ(entry.compressed, expected[i].compressed) << i;
        EXPECT_EQ(entry.decompressedFileCount, expected[i].count) << i;
        EXPECT_EQ(entry.decompressedSize, expected[i].size) << i;
        EXPECT_EQ(entry.tagFile, nullptr) << "tag files are parsed only on request";
    }
    EXPECT_TRUE(file.indexLoaded());
}

TEST_F(LauncherFileTest, IndexIsLoggedEntryByEntry) {
    const std::string log = directory_.file("launcher.log");
    setLogFile(log);
    use(LauncherBuilder(directory_)
            .stub("MZ")
            .add(kFileJvm, 3, "jvm.tag", "JVM_EXE: java\n")
            .add(kFileJvmInstaller, -2, "jre.exe", "abc")
            .compressed(1, 2)
            .build());
    LauncherFile file;
    file.load(false);

    std::string written = readFile(log);
    written.erase(std::remove(written.begin(), written.end(), '\r'), written.end());
    const std::string separator = "------------------\n";  // first line of a process's log
    if (written.compare(0, separator.size(), separator) == 0) {
        written.erase(0, separator.size());
    }
    EXPECT_EQ(written,
              "file type: 1\n  file id: 3\n  length: 14\n  offset: 2\n  file name: jvm.tag\n"
              "file type: 4\n  file id: -2\n  length: 3\n  offset: 16\n  file name: jre.exe\n");
}

TEST_F(LauncherFileTest, LookupsGoByPositionAndFirstEqualId) {
    use(LauncherBuilder(directory_)
            .add(kFileArchive, 5, "first", "1")
            .add(kFileArchive, 6, "other", "2")
            .add(kFileArchive, 5, "second", "3")
            .build());
    LauncherFile file;
    file.load(false);

    EXPECT_EQ(file.entryWithId(5)->name, "first");
    EXPECT_EQ(file.entryWithId(6)->name, "other");
    EXPECT_EQ(file.entryWithId(-1), nullptr);
    EXPECT_EQ(file.entryAt(2)->name, "second");
    EXPECT_EQ(file.entryAt(-1), nullptr);
    EXPECT_EQ(file.entryAt(3), nullptr);
}

TEST_F(LauncherFileTest, TagFilesAreParsedInPlaceAndFirstOrLastWins) {
    use(LauncherBuilder(directory_)
            .add(kFileInstructions, 1, "first.tag", "INSTRUCTIONS:\n  GOTO FIRST\n  :FIRST\n/:\n")
            .add(kFileArchive, 2, "a.jar", "PK not a tag file")
            .add(kFileJvm, 3, "jvm-a.tag", "JVM_EXE: a\n")
            .add(kFileLaunchScript, 4, "launch-1.tag", "COMMAND: one\n")
            .add(kFileJvmMessage, 5, "message-1.tag", "MESSAGE: one\n")
            .add(kFileJvm, 6, "jvm-b.tag", "JVM_EXE: b\n")
            .add(kFileLaunchScript, 7, "launch-2.tag", "COMMAND: two\n")
            .add(kFileJvmMessage, 8, "message-2.tag", "MESSAGE: two\n")
            .add(kFileInstructions, 9, "second.tag",
                 "INSTRUCTIONS:\n  GOTO SECOND\n  :SECOND\n/:\n")
            .build());
    LauncherFile file;
    file.load(true);

    auto tags = [&](int position) { return file.entryAt(position)->tagFile.get(); };
    ASSERT_NE(tags(0), nullptr);
    EXPECT_EQ(tags(1), nullptr);
    EXPECT_EQ(tags(3)->getValue("COMMAND"), "one");
    EXPECT_EQ(tags(8)->getValue("INSTRUCTIONS", 1), ":SECOND");
    EXPECT_EQ(tags(0)->fileName(), "first.tag");

    ASSERT_NE(file.instructions(), nullptr);
    EXPECT_EQ(file.instructions()->findLabel("FIRST"), 1);
    ASSERT_NE(file.launchScript(), nullptr);
    EXPECT_EQ(file.launchScript()->command(), "one");
    EXPECT_EQ(file.jvmTagFiles(), (std::vector<const TagFile*>{tags(2), tags(5)}));
    EXPECT_EQ(file.jvmMessageTags(), tags(7));
}

// An embedded tag file is its entry's bytes and no more, whatever follows
// them in the launcher file; a Ctrl-Z byte in them is an ordinary byte.
TEST_F(LauncherFileTest, AnEmbeddedTagFileEndsWithItsOwnBytes) {
    const struct {
        std::string first;
        std::string error;  // empty: loads
        TagList tags;
    } cases[] = {
        {"A: 1\nB: 2", "", {{"A", {"1"}}, {"B", {"2"}}}},
        {"A:\n  one", "Syntax error in first.tag at line 1 ==> Missing /: tag completer.", {}},
        {"A: x\x1ay\n", "", {{"A", {"x\x1ay"}}}},
    };
    for (const auto& c : cases) {
        use(LauncherBuilder(directory_)
                .add(kFileJvm, 1, "first.tag", c.first)
                .add(kFileJvm, 2, "second.tag", "C:\n  3\n/:\n")
                .build());
        LauncherFile file;
        std::string error;
        try {
            file.load(true);
        } catch (const LauncherException& e) {
            error = e.text();
        }
        EXPECT_EQ(error, c.error) << c.first;
        if (c.error.empty()) {
            EXPECT_EQ(contents(*file.entryAt(0)->tagFile), c.tags) << c.first;
        }
    }
}

TEST_F(LauncherFileTest, NamedInstructionsOutrankTheEmbeddedOnes) {
    use(LauncherBuilder(directory_)
            .add(kFileInstructions, 1, "embedded.tag", "INSTRUCTIONS: GOTO X\n")
            .build());
    LauncherFile file;
    auto named = std::make_unique<TagFile>();
    named->setValue("INSTRUCTIONS", "GOTO Y");
    file.useInstructions(std::move(named));
    InstructionInterpreter* const instructions = file.instructions();
    ASSERT_NE(instructions, nullptr);

    file.load(true);
    EXPECT_EQ(file.instructions(), instructions);
    EXPECT_NE(file.entryAt(0)->tagFile, nullptr);
}

// The interpreter runs with the launch script in effect when the script
// runs, whichever of the two came first.
TEST_F(LauncherFileTest, TheInstructionsRunWithTheLaunchScriptInEffect) {
    use(LauncherBuilder(directory_)
            .add(kFileInstructions, 1, "i.tag", "INSTRUCTIONS: LAUNCH x 0\n")
            .add(kFileLaunchScript, 2, "embedded.tag", "COMMAND: embedded\n")
            .build());
    LauncherFile file;
    file.load(true);
    ASSERT_NE(file.instructions(), nullptr);
    ASSERT_NE(file.launchScript(), nullptr);
    EXPECT_EQ(file.instructions()->launchScript(), file.launchScript());

    LauncherFile named;
    named.useInstructions(std::make_unique<TagFile>());
    ASSERT_EQ(named.instructions()->launchScript(), nullptr);
    auto script = std::make_unique<TagFile>();
    script->setValue("COMMAND", "named");
    named.useLaunchScript(std::move(script));
    named.load(true);
    ASSERT_NE(named.instructions()->launchScript(), nullptr);
    EXPECT_EQ(named.instructions()->launchScript()->command(), "named");
}

TEST_F(LauncherFileTest, TheFirstLaunchScriptSetsTheProductTitle) {
    std::vector<std::string> calls;
    setCurrentLauncher(std::make_unique<RecordingLauncher>(&calls));
    use(LauncherBuilder(directory_)
            .add(kFileLaunchScript, 1, "one.tag", "COMMAND: one\n")
            .add(kFileLaunchScript, 2, "two.tag", "COMMAND: two\n")
            .build());
    LauncherFile file;
    file.load(true);
    EXPECT_EQ(calls, std::vector<std::string>{"title:" + loadMessage(105)});
}

class FailingTitleLauncher : public RecordingLauncher {
public:
    using RecordingLauncher::RecordingLauncher;
    void setTitle(const std::string&) override { throw LauncherException(" No title."); }
};

TEST_F(LauncherFileTest, AFailureToBuildAnObjectNamesIt) {
    std::vector<std::string> calls;
    setCurrentLauncher(std::make_unique<FailingTitleLauncher>(&calls));
    use(LauncherBuilder(directory_).add(kFileLaunchScript, 1, "one.tag", "COMMAND: one\n").build());
    LauncherFile file;
    try {
        file.load(true);
        FAIL() << "the launch script must fail";
    } catch (const LauncherException& e) {
        // Message 10: "Error loading launch script."
        EXPECT_EQ(e.text(), loadMessage(10) + " No title.");
    }
    EXPECT_FALSE(file.indexLoaded());
}

TEST_F(LauncherFileTest, AParseFailureKeepsTheParsersMessage) {
    use(LauncherBuilder(directory_)
            .add(kFileJvm, 1, "good.tag", "JVM_EXE: java\n")
            .add(kFileJvm, 2, "bad.tag", "JVM_EXE: java\nno colon\n")
            .add(kFileJvmMessage, 3, "never.tag", "MESSAGE: x\n")
            .build());
    LauncherFile file;
    try {
        file.load(true);
        FAIL() << "the second JVM file must fail";
    } catch (const LauncherException& e) {
        EXPECT_EQ(
            e.text(),
            "Syntax error in bad.tag at line 2 ==> Missing colon at the end of the tag name.");
    }
    EXPECT_FALSE(file.indexLoaded());
    EXPECT_EQ(file.jvmMessageTags(), nullptr);
}

TEST_F(LauncherFileTest, AFailedLoadStartsOverWhenRepeated) {
    LauncherBuilder builder(directory_);
    builder.add(kFileInstructions, 1, "i.tag", "INSTRUCTIONS: GOTO X\n")
        .add(kFileJvm, 2, "jvm.tag", "no colon\n");
    const std::string path = builder.build();
    use(path);
    LauncherFile file;
    EXPECT_THROW(file.load(true), LauncherException);
    EXPECT_EQ(file.entryCount(), 2);  // what was read stays

    writeFile(path, readFile(LauncherBuilder(directory_)
                                 .add(kFileJvm, 3, "good.tag", "JVM_EXE: java\n")
                                 .build("good.exe")));
    file.load(true);
    ASSERT_EQ(file.entryCount(), 1);
    EXPECT_EQ(file.instructions(), nullptr);
    EXPECT_EQ(file.jvmTagFiles(), std::vector<const TagFile*>{file.entryAt(0)->tagFile.get()});
}

// "-vd:extract" reads the index without the tag files; a later load that
// asks for them ("-vd:in" with ACTION RUN_INSTRUCTIONS) parses them.
TEST_F(LauncherFileTest, TagFilesAreParsedWhenALaterLoadAsksForThem) {
    const std::string path = LauncherBuilder(directory_)
                                 .add(kFileInstructions, 1, "i.tag", "INSTRUCTIONS: GOTO X\n")
                                 .add(kFileJvmMessage, 2, "m.tag", "MESSAGE: none\n")
                                 .build();
    use(path);
    LauncherFile file;
    file.load(false);
    EXPECT_EQ(file.entryAt(0)->tagFile, nullptr);
    file.load(true);
    ASSERT_EQ(file.entryCount(), 2);
    ASSERT_NE(file.entryAt(0)->tagFile, nullptr);
    EXPECT_NE(file.instructions(), nullptr);
    EXPECT_EQ(file.jvmMessageTags(), file.entryAt(1)->tagFile.get());

    // Once both are loaded, further loads do nothing.
    writeFile(path, "replaced");
    InstructionInterpreter* const instructions = file.instructions();
    file.load(true);
    file.load(false);
    EXPECT_EQ(file.entryCount(), 2);
    EXPECT_EQ(file.instructions(), instructions);
}

TEST_F(LauncherFileTest, AFailedParseOfTheTagFilesStartsOverWhenRepeated) {
    const std::string path = LauncherBuilder(directory_)
                                 .add(kFileJvm, 1, "a.tag", "JVM_EXE: a\n")
                                 .add(kFileJvm, 2, "b.tag", "no colon\n")
                                 .build();
    use(path);
    LauncherFile file;
    file.load(false);
    EXPECT_THROW(file.load(true), LauncherException);
    // The same bytes, now a tag file: the JVM files are there once each.
    std::string bytes = readFile(path);
    bytes.replace(bytes.find("no colon"), 8, "B: colon");
    writeFile(path, bytes);
    file.load(true);
    EXPECT_EQ(file.jvmTagFiles(), (std::vector<const TagFile*>{file.entryAt(0)->tagFile.get(),
                                                               file.entryAt(1)->tagFile.get()}));
}

TEST_F(LauncherFileTest, ANamedJvmMessageOutranksTheEmbeddedOne) {
    use(LauncherBuilder(directory_)
            .add(kFileJvmMessage, 1, "embedded.tag", "MESSAGE: embedded\n")
            .build());
    LauncherFile file;
    auto named = std::make_unique<TagFile>();
    named->setValue("MESSAGE", "named");
    file.useJvmMessage(std::move(named));
    file.load(true);
    ASSERT_NE(file.jvmMessageTags(), nullptr);
    EXPECT_EQ(file.jvmMessageTags()->getValue("MESSAGE"), "named");
}

TEST_F(LauncherFileTest, BytesAfterTheTrailerDoNotHideTheIndex) {
    // Nothing has read the launcher kind in this test: the index loader finds
    // the trailer on its own, before the appended signature.
    const std::string path =
        LauncherBuilder(directory_).add(kFileJvm, 1, "jvm.tag", "JVM_EXE: java\n").build();
    writeFile(path, readFile(path) + std::string(500, '\x5A'));
    use(path);
    LauncherFile file;
    file.load(true);
    ASSERT_EQ(file.entryCount(), 1);
    EXPECT_EQ(file.jvmTagFiles().at(0)->getValue("JVM_EXE"), "java");
    EXPECT_EQ(launcherTrailerEnd(), -500);
}

TEST_F(LauncherFileTest, TagFileRegionsOutsideTheFileReadWhatIsThere) {
    const std::string body =
        "MZ"
        "A: 1\n";
    const struct {
        int32_t offset, length;
        std::string error;  // empty: loads
        int tagCount;
    } cases[] = {
        {2, 5, "", 1},
        {-1, 5, "Unable to read tag file.", 0},
        {100000, 5, "", 0},  // beyond the end: nothing there
        // Runs on into the index, which is no tag file.
        {2, 100000, "Syntax error in i.tag at line 2 ==> Missing colon at the end of the tag name.",
         0},
        {2, -1, "", 0},  // negative: the region holds nothing
    };
    for (const auto& c : cases) {
        IndexRecord record;
        record.fileType = kFileInstructions;
        record.offset = c.offset;
        record.length = c.length;
        record.name = "i.tag";
        const std::string path = directory_.file("regions.exe");
        writeFile(path, launcherFileBytes(body, fileIndexBytes(1, {record})));
        use(path);
        LauncherFile file;
        std::string error;
        try {
            file.load(true);
        } catch (const LauncherException& e) {
            error = e.text();
        }
        EXPECT_EQ(error, c.error) << c.offset << " " << c.length;
        if (c.error.empty()) {
            EXPECT_EQ(file.entryAt(0)->tagFile->tags().size(), static_cast<size_t>(c.tagCount))
                << c.offset << " " << c.length;
        }
    }
}

}  // namespace
