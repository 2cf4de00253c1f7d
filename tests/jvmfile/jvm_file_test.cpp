#include <gtest/gtest.h>

#include <string>

#include "jvmfile/jvm_file.h"
#include "jvmfile/jvm_match.h"
#include "payload/workspace.h"
#include "platform/system.h"
#include "support/temp_dir.h"
#include "tagfile/tag_file.h"

namespace {

std::string withSeparator(const std::string& home) {
    return home + platform::pathSeparator();
}

TEST(JvmFile, ExpandsTagsAsTheirFirstValues) {
    TagFile tags;
    tags.setValue("JVM_EXE", "bin\\java.exe");
    tags.addValue("MULTI", "first");
    tags.addValue("MULTI", "second");
    tags.setValue("QUOTE", "say \"hi\"");
    JvmFile jvm(tags);

    struct Case {
        const char* text;
        const char* expanded;
    };
    const Case cases[] = {
        {"@JVM_EXE@", "bin\\java.exe"},
        {"@MULTI@", "first"},
        {"[@UNDEFINED@]", "[]"},
        {"@jvm_exe@", ""},  // names keep their case
        {"@QUOTE@", "say \"hi\""},
        {"mail@host", "mail@host"},
        {"a@@", "a@"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(jvm.expandTags(c.text), c.expanded) << c.text;
    }
}

TEST(JvmFile, HomeLosesOneTrailingSeparator) {
    TagFile tags;
    JvmFile jvm(tags);
    const std::string sep(1, platform::pathSeparator());
    struct Case {
        std::string home;
        std::string expanded;
    };
    const Case cases[] = {
        {"jre" + sep, "jre" + sep + "java"},
        {"jre" + sep + sep, "jre" + sep + sep + "java"},
        {"jre", "jre" + sep + "java"},
        {sep, sep + "java"},
    };
    for (const Case& c : cases) {
        tags.setValue("JVM_HOME", c.home);
        EXPECT_EQ(jvm.expandTags("@JVM_HOME@" + sep + "java"), c.expanded) << c.home;
    }
    // Only JVM_HOME is shortened.
    tags.setValue("OTHER", withSeparator("x"));
    EXPECT_EQ(jvm.expandTags("@OTHER@"), withSeparator("x"));
}

TEST(JvmFile, ReadsItsFlagsAndNames) {
    struct Case {
        const char* searchAll;
        bool expected;
    };
    for (const Case& c : {Case{"1", true}, Case{"2", true}, Case{"0", false}, Case{"yes", false}}) {
        TagFile tags;
        tags.setValue("SEARCH_ALL", c.searchAll);
        EXPECT_EQ(JvmFile(tags).searchAll(), c.expected) << c.searchAll;
    }
    TagFile tags;
    tags.setValue("DESC", "Some JVM");
    tags.setValue("JVM_EXE", "bin/java");
    const JvmFile jvm(tags);
    EXPECT_FALSE(jvm.searchAll());
    EXPECT_EQ(jvm.description(), "Some JVM");
    EXPECT_EQ(jvm.jvmExe(), "bin/java");
}

class JvmMatchTest : public testing::Test {
protected:
    void SetUp() override { setTempDirectory(withSeparator(temp_.path())); }
    TempDir temp_;
};

TEST_F(JvmMatchTest, WritesTheCompletedJvmFileIntoTheWorkspace) {
    for (const bool temporary : {false, true}) {
        TagFile tags;
        tags.setValue("DESC", "Kind");
        tags.setValue("JVM_HOME", "old home");
        JvmMatch match("C:\\jre", tags);
        match.setJvmTemp(temporary);
        const std::string path = match.writeJvmFile();

        EXPECT_EQ(path.rfind(withSeparator(temp_.path()) + "LRE", 0), 0u) << path;
        const TagFile written(path);
        EXPECT_EQ(written.getValue("DESC"), "Kind");
        EXPECT_EQ(written.getValue("JVM_HOME"), "C:\\jre");
        EXPECT_EQ(written.count("JVM_HOME"), 1);
        EXPECT_EQ(written.getValue("JVM_FILE"), path);
        EXPECT_EQ(written.getValue("JVM_TEMP"), temporary ? "1" : "0");
        // The shared tag set now names the written file, for @JVM_FILE@.
        EXPECT_EQ(JvmFile(tags).expandTags("@JVM_FILE@"), path);
    }
}

}  // namespace
