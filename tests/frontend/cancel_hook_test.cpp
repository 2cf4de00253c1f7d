#include "frontend/window/cancel_hook.h"

#include <gtest/gtest.h>

#include <thread>

#include "base/facade.h"
#include "base/messages.h"
#include "instructions/instruction_line_hook.h"
#include "instructions/script_fixture.h"
#include "platform/system.h"

namespace {

class CancelHook : public testing::Test {
protected:
    void TearDown() override { setInstructionLineHook({}); }
};

TEST_F(CancelHook, ACancelFromAnotherThreadStopsAScriptLoopingOnGoto) {
    stopScriptOnCancel();
    std::thread window([] {
        platform::sleepMilliseconds(50);
        requestCancel();
    });
    const Outcome outcome = runScript({"// the loop", ":AGAIN", "SET N1 = 1", "GOTO AGAIN"});
    window.join();
    EXPECT_EQ(outcome, launcherError(loadMessage(35)));
    EXPECT_EQ(loadMessage(35), "Canceled by the user.");
}

TEST_F(CancelHook, WithoutACancelRequestTheScriptRunsToItsEnd) {
    stopScriptOnCancel();
    EXPECT_EQ(runScript({"SET N1 = 1", "GOTO DONE", "SET X1 = 1", ":DONE"}), ok());
}

}  // namespace
