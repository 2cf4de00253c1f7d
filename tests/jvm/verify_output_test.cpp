#include <gtest/gtest.h>

#include "base/log.h"
#include "jvm/verify_output.h"
#include "support/temp_dir.h"

namespace {

using Properties = std::vector<JvmProperty>;

const Properties kVendorAndVersion{{"java.vendor", "Sun"}, {"java.version", "1.5.0..."}};

TEST(VerifyOutput, ComparesThePropertiesTheOutputShows) {
    const struct {
        std::string output;
        Properties properties;
        bool accepted;
    } cases[] = {
        {"1739021872\nSun\n1.5.0\n", kVendorAndVersion, true},
        {"1739021872\r\nSun\r\n1.5.0_06\r\n", kVendorAndVersion, true},
        {"1739021872\nSun\n1.5.0-beta", kVendorAndVersion, true},
        {"  1739021872 \n\tSun \n1.5.0\n", kVendorAndVersion, true},
        {"Warning: something\nPicked up options\n1739021872\nSun\n1.5.0\n", kVendorAndVersion,
         true},
        {"1739021872\nSun\n1.4.2\n", kVendorAndVersion, false},
        {"1739021872\nSun\n1.5\n", kVendorAndVersion, false},
        {"1739021872\nsun\n1.5.0\n", kVendorAndVersion, false},
        {"1739021872\nSun Microsystems\n1.5.0\n", kVendorAndVersion, false},
        // An output that ends early is compared as far as it goes.
        {"1739021872\n", kVendorAndVersion, true},
        {"1739021872\nSun\n", kVendorAndVersion, true},
        {"1739021872\nSun Microsystems\n", kVendorAndVersion, false},
        {"1739021872", {}, true},
        {"1739021872\nanything\n", {}, true},
        // "..." alone accepts any value, the empty one too.
        {"1739021872\n\n", {{"p", "..."}}, true},
        {"1739021872\n\n", {{"p", ""}}, true},
        {"17390218720\nSun\n1.5.0\n", kVendorAndVersion, false},
        {"Sun\n1.5.0\n", kVendorAndVersion, false},
        {"", {}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checkVerifyOutput(c.output, c.properties), c.accepted) << c.output;
    }
}

TEST(VerifyOutput, VersionComparisonsCompareAsVersions) {
    const struct {
        PropertyTest test;
        std::string expected;
        std::string actual;
        bool accepted;
    } cases[] = {
        {PropertyTest::kAtLeast, "11", "11", true},
        {PropertyTest::kAtLeast, "11", "17", true},
        {PropertyTest::kAtLeast, "11", "1.8", false},
        {PropertyTest::kAtLeast, "9", "10", true},
        {PropertyTest::kAtLeast, "1.8", "8", true},
        {PropertyTest::kAtLeast, "17.0.2", "17", false},
        {PropertyTest::kAtMost, "17", "17", true},
        {PropertyTest::kAtMost, "17", "17.0.2", false},
        {PropertyTest::kAtMost, "17", "1.8", true},
        {PropertyTest::kAbove, "17", "17", false},
        {PropertyTest::kAbove, "17", "17.0.1", true},
        {PropertyTest::kBelow, "21", "21-ea", true},
        {PropertyTest::kBelow, "21", "21", false},
        {PropertyTest::kBelow, "21", "", true},
    };
    for (const auto& c : cases) {
        const Properties properties{{"java.version", c.expected, c.test}};
        EXPECT_EQ(checkVerifyOutput("1739021872\n" + c.actual + "\n", properties), c.accepted)
            << c.expected << " against " << c.actual;
    }
}

TEST(VerifyOutput, MissingMagicLineLogsTheLastLineRead) {
    TempDir directory;
    const std::string log = directory.file("launcher.log");
    setLogFile(log);
    EXPECT_FALSE(checkVerifyOutput("", {}));
    EXPECT_FALSE(checkVerifyOutput("Error: no class\nexit\r\n", {}));
    setLogFile("");
    std::string text = readFile(log);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    EXPECT_NE(text.find("ERROR: Invalid magic value: \n"), std::string::npos) << text;
    EXPECT_NE(text.find("ERROR: Invalid magic value: exit\n"), std::string::npos) << text;
}

}  // namespace
