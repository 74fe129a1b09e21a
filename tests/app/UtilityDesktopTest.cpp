// The real vistrel-utility in a desktop session: one utility at a time.
#include "UtilityTest.h"
#include "app/SingleInstance.h"

#include <csignal>
#include <string>
#include <vector>

namespace app {

namespace {

using Lines = std::vector<std::string>;

const std::vector<sim::RecordedKey> returnTyped = {{true, "Return", 0}, {false, "Return", 0}};

class UtilityDesktopTest : public UtilityTest {};

} // namespace

TEST_F(UtilityDesktopTest, ASecondStartInTheSessionSaysSoAndEndsWithoutOpeningTheCamera) {
    const auto first = startUtility();
    ASSERT_TRUE(first->waitForLine("Device added: VISTREL", startTimeout));
    camera.clearTransfers();

    const auto second = startUtility(sim::ChildProcess::StandardError::read);
    EXPECT_EQ(second->waitForExit(eventTimeout), 0);
    EXPECT_EQ(second->lines(), Lines{std::string(SingleInstance::alreadyRunningLine)});
    for (const sim::ControlTransfer& transfer : camera.transfers()) {
        EXPECT_NE(transfer.selector(), sim::SimulatedCamera::firmwareSelector)
            << "a second opening reads the firmware";
    }
    EXPECT_TRUE(first->running());
    camera.scriptButtonCodes({0x19});
    EXPECT_EQ(recorder->waitForEvents(2, eventTimeout), returnTyped);
}

TEST_F(UtilityDesktopTest, AfterTheFirstWasKilledTheNextStartRuns) {
    const auto first = startUtility();
    ASSERT_TRUE(first->waitForLine("Device added: VISTREL", startTimeout));
    first->signal(SIGKILL);
    first->waitForExit(eventTimeout);
    ASSERT_FALSE(first->running());

    const auto next = startUtility();
    EXPECT_TRUE(next->waitForLine("Device added: VISTREL", startTimeout));
    camera.scriptButtonCodes({0x19});
    EXPECT_EQ(recorder->waitForEvents(2, eventTimeout), returnTyped);
}

} // namespace app
