#include "base/line_output.h"

#include <gtest/gtest.h>

#include "support/captured_file.h"
#include "support/temp_dir.h"

TEST(LineOutputTest, WritesEachTextUpToItsFirstNulWithALineFeed) {
    CapturedFile out;
    EXPECT_TRUE(writeLine(out.get(), "C:\\Program Files\\Java\\jdk 17"));
    EXPECT_TRUE(writeLine(out.get(), ""));
    EXPECT_TRUE(writeLine(out.get(), std::string("cut\0here", 8)));
    EXPECT_TRUE(writeLine(out.get(), "100 %s %1!s!"));
    EXPECT_EQ(out.contents(), "C:\\Program Files\\Java\\jdk 17\n\ncut\n100 %s %1!s!\n");
}

TEST(LineOutputTest, ReportsAStreamThatCannotBeWritten) {
    TempDir dir;
    writeFile(dir.file("existing.txt"), "existing\n");
    std::FILE* readOnly = std::fopen(dir.file("existing.txt").c_str(), "r");
    ASSERT_NE(readOnly, nullptr);
    EXPECT_FALSE(writeLine(readOnly, "text"));
    std::fclose(readOnly);
    EXPECT_EQ(readFile(dir.file("existing.txt")), "existing\n");
}
