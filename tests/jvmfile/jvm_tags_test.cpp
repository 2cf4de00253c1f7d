#include <gtest/gtest.h>

#include "jvmfile/jvm_tags.h"
#include "tagfile/tag_file_fixture.h"

namespace {

TEST(JvmTags, ReplaceEarlierValues) {
    TagFile tags;
    tags.setValue("JVM_TEMP", "old");
    setJvmTags(tags, "C:\\jre", "C:\\jre\\jvm", true);
    EXPECT_EQ(
        contents(tags),
        (TagList{{"JVM_TEMP", {"1"}}, {"JVM_HOME", {"C:\\jre"}}, {"JVM_FILE", {"C:\\jre\\jvm"}}}));
    tags.setBool("JVM_TEMP", false);
    EXPECT_EQ(tags.getValue("JVM_TEMP"), "0");
}

}  // namespace
