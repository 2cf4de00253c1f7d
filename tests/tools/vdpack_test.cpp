#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "base/messages.h"
#include "support/launcher_builder.h"
#include "support/temp_dir.h"
#include "vdpack/vdpack_command.h"

namespace {

using testing::HasSubstr;

struct Result {
    int exitCode;
    std::string out;
    std::string err;
};

Result vdpack(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int exitCode = runVdpack(arguments, out, err);
    return {exitCode, out.str(), err.str()};
}

const char* const kTypeNames[] = {"INSTRUCTIONS",        "JVM",
                                  "LAUNCHSCRIPT",        "ARCHIVE",
                                  "JVM_INSTALLER",       "VERIFY_ARCHIVE",
                                  "APPLICATION_ARCHIVE", "EMBEDDED_LAUNCHER",
                                  "JVMMESSAGE"};

TEST(Vdpack, BuildThenListRoundTripsEveryField) {
    TempDir directory;
    const std::string stub = directory.file("stub.exe");
    writeFile(stub, "MZ stub");
    std::vector<std::string> arguments = {
        "build", "--stub", stub, "--kind", "2", "-o", directory.file("out.exe")};
    std::string expected = "launcher kind: 2\nbytes after trailer: 0\nfiles: 9\n";
    std::vector<std::string> contents;
    long offset = 7;
    for (int type = 0; type < 9; ++type) {
        const std::string name = "file" + std::to_string(type) + ".bin";
        const std::string content = std::string(type * 3, 'a' + type) + "\n";
        contents.push_back(content);
        writeFile(directory.file(name), content);
        const int id = type * 1000 - 3;
        // By name, except one by number; one stored under another name; one
        // compressed.
        arguments.insert(arguments.end(),
                         {"--file", directory.file(name), "--type",
                          type == 8 ? "8" : kTypeNames[type], "--id", std::to_string(id)});
        std::string stored = name;
        if (type == 3) {
            stored = "other name.jar";
            arguments.insert(arguments.end(), {"--name", stored});
        }
        expected += std::to_string(type) + ": " + kTypeNames[type] + " id=" + std::to_string(id) +
                    " length=" + std::to_string(content.size()) +
                    " offset=" + std::to_string(offset);
        if (type == 4) {
            arguments.insert(arguments.end(), {"--compressed", "250", "2147483647"});
            expected += " decompressed-files=250 decompressed-size=2147483647";
        }
        expected += " name=" + stored + "\n";
        offset += static_cast<long>(content.size());
    }
    const Result build = vdpack(arguments);
    ASSERT_EQ(build.exitCode, 0) << build.err;
    EXPECT_EQ(build.err, "");

    const Result list = vdpack({"list", directory.file("out.exe")});
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out, expected);

    // The bytes themselves: stub first, then every file at its offset.
    const std::string bytes = readFile(directory.file("out.exe"));
    EXPECT_EQ(bytes.substr(0, 7), "MZ stub");
    std::string payload;
    for (const std::string& content : contents) {
        payload += content;
    }
    EXPECT_EQ(bytes.substr(7, payload.size()), payload);
}

TEST(Vdpack, AManifestBuildsWhatTheOptionsBuild) {
    TempDir directory;
    std::filesystem::create_directory(directory.file("in"));
    const std::string in = directory.file("in");
    writeFile(in + "/stub", "MZ");
    writeFile(in + "/i.tag", "INSTRUCTIONS: GOTO X\n");
    writeFile(in + "/jre.exe", "setup");
    writeFile(in + "/m.tag", "M: x\n");
    writeFile(in + "/manifest.tag",
              "STUB: stub\nKIND: 1\nOUTPUT: ../from-manifest.exe\n"
              "FILE:\n  i.tag\n  jre.exe\n  m.tag\n/:\n"
              "TYPE:\n  INSTRUCTIONS\n  JVM_INSTALLER\n  8\n/:\n"
              "ID:\n  1\n  2\n  3\n/:\n"
              "NAME:\n  -\n  setup.exe\n  -\n/:\n"
              "COMPRESSED:\n  -\n  10 2000\n  -\n/:\n");
    const Result manifest = vdpack({"build", "--manifest", in + "/manifest.tag"});
    ASSERT_EQ(manifest.exitCode, 0) << manifest.err;

    const Result options = vdpack({"build",
                                   "--stub",
                                   in + "/stub",
                                   "--kind",
                                   "1",
                                   "--output",
                                   directory.file("from-options.exe"),
                                   "--file",
                                   in + "/i.tag",
                                   "--type",
                                   "INSTRUCTIONS",
                                   "--id",
                                   "1",
                                   "--file",
                                   in + "/jre.exe",
                                   "--type",
                                   "JVM_INSTALLER",
                                   "--id",
                                   "2",
                                   "--name",
                                   "setup.exe",
                                   "--compressed",
                                   "10",
                                   "2000",
                                   "--file",
                                   in + "/m.tag",
                                   "--type",
                                   "JVMMESSAGE",
                                   "--id",
                                   "3"});
    ASSERT_EQ(options.exitCode, 0) << options.err;
    const std::string built = readFile(directory.file("from-manifest.exe"));
    EXPECT_FALSE(built.empty());
    EXPECT_EQ(built, readFile(directory.file("from-options.exe")));
}

TEST(Vdpack, RejectsBadInputWithoutWritingAnything) {
    TempDir directory;
    const std::string stub = directory.file("stub");
    const std::string file = directory.file("file.tag");
    const std::string output = directory.file("out.exe");
    writeFile(stub, "MZ");
    writeFile(file, "A: b\n");
    writeFile(directory.file("con"), "A: b\n");
    writeFile(directory.file("counts.tag"), "STUB: stub\nFILE:\n  a\n  b\n/:\nTYPE: JVM\nID: 1\n");
    writeFile(directory.file("unknown.tag"), "STUB: stub\nFILES: a\n");
    const std::vector<std::string> build = {"build", "--stub", stub, "-o", output};
    auto withEntry = [&](const std::vector<std::string>& entry) {
        std::vector<std::string> arguments = build;
        arguments.insert(arguments.end(), entry.begin(), entry.end());
        return arguments;
    };
    const struct {
        std::vector<std::string> arguments;
        std::string error;
    } cases[] = {
        {{}, "no command"},
        {{"pack"}, "unknown command 'pack'"},
        {{"list"}, "list takes one launcher file"},
        {{"build", "-o", output}, "no stub"},
        {{"build", "--stub", stub}, "no output"},
        {{"build", "--stub", directory.file("missing"), "-o", output}, "cannot open the stub"},
        {{"build", "--stub", directory.path(), "-o", output}, "is a directory"},
        {withEntry({"--bogus"}), "unknown option '--bogus'"},
        {withEntry({"--kind"}), "--kind needs a value"},
        {withEntry({"--kind", "256"}), "the launcher kind is not 0 to 255"},
        {withEntry({"--kind", "-1"}), "the launcher kind is not 0 to 255"},
        {withEntry({"--type", "JVM"}), "--type must follow the --file"},
        {withEntry({"--file", file, "--id", "1"}), "has no --type"},
        {withEntry({"--file", file, "--type", "JVM"}), "has no --id"},
        {withEntry({"--file", directory.file("missing"), "--type", "JVM", "--id", "1"}),
         "cannot open the file"},
        {withEntry({"--file", file, "--type", "9", "--id", "1"}), "unknown file type '9'"},
        {withEntry({"--file", file, "--type", "jvm", "--id", "1"}), "unknown file type 'jvm'"},
        {withEntry({"--file", file, "--type", "JVM", "--id", "2147483648"}),
         "the file id '2147483648' is not a 32-bit decimal number"},
        {withEntry({"--file", file, "--type", "JVM", "--id", "1x"}), "is not a 32-bit"},
        {withEntry({"--file", file, "--type", "JVM", "--id", "1", "--name", "a\nb"}),
         "is not a plain file name: it holds a control character (byte 10)"},
        {withEntry(
             {"--file", file, "--type", "JVM", "--id", "1", "--name", std::string("a\0b", 3)}),
         "the stored name 'a\\x00b' of '" + file +
             "' is not a plain file name: it holds a control character (byte 0)"},
        {withEntry({"--file", file, "--type", "JVM", "--id", "1", "--name", ".."}),
         "the stored name '..' of '" + file + "' is not a plain file name: it names a directory"},
        {withEntry({"--file", file, "--type", "JVM", "--id", "1", "--name", "../victim"}),
         "is not a plain file name: it holds a path separator"},
        {withEntry({"--file", file, "--type", "JVM", "--id", "1", "--name", "aux.txt"}),
         "is not a plain file name: it names the Windows device AUX"},
        {withEntry({"--file", directory.file("con"), "--type", "JVM", "--id", "1"}),
         "the stored name 'con' of '" + directory.file("con") +
             "' is not a plain file name: it names the Windows device CON"},
        {withEntry({"--file", file, "--type", "JVM", "--id", "1", "--file", file, "--type", "JVM",
                    "--id", "2", "--name", "FILE.tag"}),
         "the stored names cannot be extracted side by side: \"file.tag\" and \"FILE.tag\" name "
         "the same file"},
        {withEntry({"--file", file, "--type", "JVM", "--id", "1", "--name", "Input.tag"}),
         "\"Input.tag\" is the name of the input file written beside the extracted files"},
        {withEntry(
             {"--file", file, "--type", "JVM", "--id", "1", "--name", std::string(32768, 'n')}),
         "is longer than 32767 bytes"},
        {withEntry({"--file", file, "--type", "JVM", "--id", "1", "--compressed", "-1", "5"}),
         "must not be negative"},
        {withEntry({"--file", file, "--type", "JVM", "--id", "1", "--compressed", "5"}),
         "--compressed needs a value"},
        {withEntry({"--manifest", directory.file("missing.tag")}),
         "cannot read the manifest: Unable to load input file: "},
        {withEntry({"--manifest", directory.file("counts.tag")}),
         "2 FILE values but 1 TYPE values"},
        {withEntry({"--manifest", directory.file("unknown.tag")}), "unknown tag 'FILES'"},
    };
    for (const auto& c : cases) {
        const Result result = vdpack(c.arguments);
        EXPECT_EQ(result.exitCode, 1) << c.error;
        EXPECT_THAT(result.err, HasSubstr(c.error));
        EXPECT_EQ(result.err.rfind("vdpack: ", 0), 0u) << result.err;
        EXPECT_FALSE(pathExists(output)) << c.error;
        EXPECT_FALSE(pathExists(output + ".vdpack-part")) << c.error;
    }
}

TEST(Vdpack, RefusesAPayloadBeyondTheOffsetLimit) {
    TempDir directory;
    // A sparse stub just below 2 GiB: the index would start beyond the limit.
    const std::string stub = directory.file("big-stub");
    writeFile(stub, "");
    std::filesystem::resize_file(stub, INT32_MAX - 15);
    const std::string file = directory.file("file.bin");
    writeFile(file, std::string(100, 'x'));
    const std::string output = directory.file("out.exe");
    const Result result = vdpack(
        {"build", "--stub", stub, "-o", output, "--file", file, "--type", "ARCHIVE", "--id", "1"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "vdpack: the file index would start beyond the 2 GiB offset limit\n");
    EXPECT_FALSE(pathExists(output));
}

TEST(Vdpack, TheOutputMayReplaceAnInput) {
    TempDir directory;
    const std::string launcher = directory.file("launcher.exe");
    writeFile(launcher, "MZ stub");
    writeFile(directory.file("a.tag"), "A: b\n");
    const Result build = vdpack({"build", "--stub", launcher, "-o", launcher, "--file",
                                 directory.file("a.tag"), "--type", "JVM", "--id", "4"});
    ASSERT_EQ(build.exitCode, 0) << build.err;
    EXPECT_EQ(readFile(launcher).substr(0, 12), "MZ stubA: b\n");
    EXPECT_THAT(vdpack({"list", launcher}).out, HasSubstr("0: JVM id=4 length=5 offset=7"));
}

TEST(Vdpack, ListTellsWhatIsWrongWithAFile) {
    TempDir directory;
    IndexRecord badType;
    badType.fileType = 9;
    writeFile(directory.file("bad-type.exe"),
              launcherFileBytes("MZ", fileIndexBytes(1, {badType})));
    writeFile(directory.file("plain.exe"), "MZ no payload");
    const std::string appended = directory.file("signed.exe");
    writeFile(appended, launcherFileBytes("MZ", fileIndexBytes(0, {}), 3) + "signature");

    // "Unable to load the launcher file index. ", as the launcher says it.
    const std::string loadIndexFailure = messageForCode(kErrLoadIndex);
    const struct {
        std::string file;
        int exitCode;
        std::string out;
        std::string err;
    } cases[] = {
        {"bad-type.exe", 1, "",
         "vdpack: " + loadIndexFailure + "Invalid file type in file index.\n"},
        {"missing.exe", 1, "", "vdpack: " + loadIndexFailure + "Cannot open launcher file.\n"},
        {"plain.exe", 1, "",
         "vdpack: '" + directory.file("plain.exe") +
             "' is not a launcher file: it holds no launcher identification value\n"},
        {"signed.exe", 0, "launcher kind: 3\nbytes after trailer: 9\nfiles: 0\n", ""},
    };
    for (const auto& c : cases) {
        const Result result = vdpack({"list", directory.file(c.file)});
        EXPECT_EQ(result.exitCode, c.exitCode) << c.file;
        EXPECT_EQ(result.out, c.out) << c.file;
        EXPECT_EQ(result.err, c.err) << c.file;
    }
}

TEST(Vdpack, HelpNamesEveryFileType) {
    const Result help = vdpack({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* name : kTypeNames) {
        EXPECT_THAT(help.out, HasSubstr(name));
    }
}

}  // namespace
