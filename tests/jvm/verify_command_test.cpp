#include <gtest/gtest.h>

#include "jvm/verify_command.h"
#include "platform/system.h"

namespace {

// The executable part of every command, with this system's separator.
std::string javaPart() {
    return std::string("\"@JVM_HOME@") + platform::pathSeparator() + "@JVM_EXE@\" %CP%(";
}

TEST(VerifyCommand, TextForEachKindOfClasspathAndProperty) {
    const struct {
        std::string classpath;
        std::string className;
        std::vector<std::string> lines;
        std::string rest;  // everything after javaPart()
    } cases[] = {
        {"\"C:\\t\\v.jar\"",
         "\"Verify\"",
         {"java.vendor=Sun", "java.version=1.5.0..."},
         "\"\"\"C:\\t\\v.jar\"\"\")  @REQ_JAVA_ARGS@ \"Verify\" java.vendor java.version"},
        // Unquoted classpaths go in as they are.
        {"v.jar", "Verify", {}, "v.jar)  @REQ_JAVA_ARGS@ Verify"},
        {"", "", {}, ")  @REQ_JAVA_ARGS@ "},
        // A lone quote is no quoted classpath.
        {"\"", "V", {}, "\")  @REQ_JAVA_ARGS@ V"},
        {"\"a\" \"b\"", "V", {}, "\"\"\"a\" \"b\"\"\")  @REQ_JAVA_ARGS@ V"},
        // Names are trimmed; lines without "=" are left out; the first "="
        // ends the name.
        {"cp",
         "V",
         {" java.vendor = Sun Microsystems Inc. ", "no equals", "a=b=c", "\t=x"},
         "cp)  @REQ_JAVA_ARGS@ V java.vendor a "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(buildVerifyCommand(c.classpath, c.className, c.lines).text, javaPart() + c.rest)
            << c.classpath;
    }
}

TEST(VerifyCommand, PropertiesAreTrimmedAndInvalidLinesKept) {
    const VerifyCommand command = buildVerifyCommand(
        "cp", "V", {" java.vendor = Sun Microsystems Inc. ", "no equals", "a=b=c", "x=\t"});
    ASSERT_EQ(command.jvmProperties.size(), 3u);
    EXPECT_EQ(command.jvmProperties[0].name, "java.vendor");
    EXPECT_EQ(command.jvmProperties[0].value, "Sun Microsystems Inc.");
    EXPECT_EQ(command.jvmProperties[1].name, "a");
    EXPECT_EQ(command.jvmProperties[1].value, "b=c");
    EXPECT_EQ(command.jvmProperties[2].value, "");
    EXPECT_EQ(command.invalidLines, std::vector<std::string>{"no equals"});
}

TEST(VerifyCommand, ComparisonLinesAskForTheNameAlone) {
    const struct {
        std::string line;
        std::string name;
        std::string value;
        PropertyTest test;
    } cases[] = {
        {"java.version>=11", "java.version", "11", PropertyTest::kAtLeast},
        {" java.version <= 17.0.2 ", "java.version", "17.0.2", PropertyTest::kAtMost},
        {"v>1.8", "v", "1.8", PropertyTest::kAbove},
        {"v<21", "v", "21", PropertyTest::kBelow},
        // A line with "=" and no operator before it keeps the first "=" as
        // the end of the name, whatever follows.
        {"v=>11", "v", ">11", PropertyTest::kEquals},
        {"v=1.5.0...", "v", "1.5.0...", PropertyTest::kEquals},
        {"a=b<c", "a", "b<c", PropertyTest::kEquals},
        {"v>=1=2", "v", "1=2", PropertyTest::kAtLeast},
    };
    for (const auto& c : cases) {
        const VerifyCommand command = buildVerifyCommand("cp", "V", {c.line});
        EXPECT_EQ(command.text, javaPart() + "cp)  @REQ_JAVA_ARGS@ V " + c.name) << c.line;
        ASSERT_EQ(command.jvmProperties.size(), 1u) << c.line;
        EXPECT_EQ(command.jvmProperties[0].name, c.name) << c.line;
        EXPECT_EQ(command.jvmProperties[0].value, c.value) << c.line;
        EXPECT_EQ(command.jvmProperties[0].test, c.test) << c.line;
    }
}

TEST(VerifyCommand, ComparisonsWithoutNameOrVersionAreInvalid) {
    const std::vector<std::string> lines{">=11", "v>=", "v< ", " <5", "v>"};
    const VerifyCommand command = buildVerifyCommand("cp", "V", lines);
    EXPECT_TRUE(command.jvmProperties.empty());
    EXPECT_EQ(command.invalidLines, lines);
    EXPECT_EQ(command.text, javaPart() + "cp)  @REQ_JAVA_ARGS@ V");
}

}  // namespace
