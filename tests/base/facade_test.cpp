#include <gtest/gtest.h>

#include <memory>

#include "base/facade.h"
#include "base/messages.h"
#include "support/recording_launcher.h"

namespace {

using Calls = std::vector<std::string>;

class Facade : public testing::Test {
protected:
    void SetUp() override { useRecordingLauncher(&calls_); }
    void TearDown() override { setCurrentLauncher(nullptr); }

    Calls calls_;
};

TEST_F(Facade, StatusCodesShowTheirMessageWithTheTitle) {
    const struct {
        int code;
        int messageId;
    } cases[] = {{0, 2}, {1, 3}, {2, 6}, {3, 5}, {4, 4}};
    for (const auto& c : cases) {
        calls_.clear();
        showStatus(c.code);
        EXPECT_EQ(calls_, Calls{"status:" + formatMessage(c.messageId, {"Wizard"})}) << c.code;
    }
    calls_.clear();
    showStatus(7);
    EXPECT_EQ(calls_, Calls{"status:"});
}

TEST_F(Facade, SubStatusJoinsTheStatusAndComesBackAfterTheNextStatus) {
    showStatus(kStatusSearching);
    showSubStatus(kSubStatusSearching, "JDK");
    showStatus(kStatusRunning);
    const std::string searching = formatMessage(7, {"JDK"});
    EXPECT_EQ(calls_, (Calls{"status:" + formatMessage(3, {"Wizard"}),
                             "detail:" + formatMessage(3, {"Wizard"}) + "|" + searching,
                             "detail:" + formatMessage(5, {"Wizard"}) + "|" + searching}));
}

TEST_F(Facade, SubStatusTypesAndEmptyTexts) {
    const struct {
        int type;
        const char* text;
        std::string shown;  // empty: the detail line is cleared, nothing shown
    } cases[] = {
        {kSubStatusSearching, "", ""},
        {kSubStatusScanning, "", formatMessage(25, {""})},
        {kSubStatusVerifying, "JRE", formatMessage(26, {"JRE"})},
        {kSubStatusVerifying, "", ""},
        {9, "x", ""},
    };
    for (const auto& c : cases) {
        calls_.clear();
        showSubStatus(c.type, c.text);
        const Calls expected = c.shown.empty() ? Calls{} : Calls{"detail:|" + c.shown};
        EXPECT_EQ(calls_, expected) << c.type << " " << c.text;
    }
}

TEST_F(Facade, SubStatusWrapperRestoresTheEarlierDetailLine) {
    showSubStatus(kSubStatusSearching, "outer");
    {
        SubStatusWrapper scope;
        showSubStatus(kSubStatusVerifying, "inner");
    }
    EXPECT_EQ(calls_.back(), "detail:|" + formatMessage(7, {"outer"}));
}

TEST_F(Facade, SilentSuppressesVisibleOutputButNotHidingOrTheTitle) {
    setSilent(true);
    showStatus(kStatusSearching);
    showSubStatus(kSubStatusScanning, "");
    advanceProgress(3);
    setProgressPercent(50);
    reportMessage("hello");
    EXPECT_EQ(askForDirectory(), "");
    showProgressWindow();
    hideProgressWindow(4);
    applyProductTitle();
    EXPECT_EQ(calls_, (Calls{"hide:0", "hide:4", "title:" + loadMessage(105)}));
}

TEST_F(Facade, NotSilentEverythingReachesTheLauncher) {
    advanceProgress(3);
    setProgressPercent(50);
    reportMessage("hello");
    EXPECT_EQ(askForDirectory(), "chosen");
    showProgressWindow();
    EXPECT_EQ(calls_, (Calls{"step:3", "progress:50", "message:hello", "browse", "show"}));
}

TEST(FacadeWithoutLauncher, DoesNothing) {
    setCurrentLauncher(nullptr);
    reportMessage("nobody");
    showStatus(kStatusSearching);
    EXPECT_FALSE(isProgressWindowVisible());
    EXPECT_EQ(askForDirectory(), "");
}

}  // namespace
