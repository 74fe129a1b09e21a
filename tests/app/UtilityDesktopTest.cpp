// The real vistrel-utility in a desktop session: one utility at a time, and what its windows do
// and carry as the window system sees them.
#include "UtilityTest.h"
#include "app/SingleInstance.h"
#include "support/ClientWindows.h"
#include "support/EventLoop.h"

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <string>
#include <vector>

namespace app {

namespace {

using Lines = std::vector<std::string>;

const std::vector<sim::RecordedKey> returnTyped = {{true, "Return", 0}, {false, "Return", 0}};

// The camera's image controls written since the log was cleared; the button poll's requests
// to the vendor unit left out.
std::vector<sim::ControlTransfer> controlWrites(const sim::SimulatedCamera& camera) {
    std::vector<sim::ControlTransfer> writes;
    for (const sim::ControlTransfer& transfer : camera.transfers()) {
        if (transfer.bmRequestType == 0x21 &&
            transfer.unit() != sim::SimulatedCamera::extensionUnit) {
            writes.push_back(transfer);
        }
    }
    return writes;
}

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

// The window is often opened from the keyboard; a Return or Space that follows at once must not
// reach Reset. The Tab and the Right after them are the brightness slider's one write, from 0 to
// 1: when it has come, the keys before it have been handled.
TEST_F(UtilityDesktopTest, KeysRightAfterTheWindowOpensResetNothingAndTheWindowsCarryTheIcon) {
    const auto utility = startUtility();
    ASSERT_TRUE(utility->waitForLine("Device added: VISTREL", startTimeout));
    recorder.reset(); // its window would take the focus
    sim::ClientWindows windows;
    std::optional<sim::ScreenRect> menu = openMenu();
    ASSERT_TRUE(menu);
    camera.clearTransfers();
    choose(*menu, MenuItem::camera);
    const std::vector<unsigned long> control = windows.waitForMapped("vistrel", 1, eventTimeout);
    ASSERT_EQ(control.size(), 1U);
    EXPECT_TRUE(windows.hasProperty(control[0], "_NET_WM_ICON")) << "control window";
    ASSERT_TRUE(windows.waitForFocus(control[0], eventTimeout));
    for (const char* key : {"Return", "space", "Tab", "Right"}) {
        windows.type(key);
    }
    const auto brightnessUp = [](const sim::ControlTransfer& write) {
        return write.unit() == sim::SimulatedCamera::processingUnit && write.selector() == 0x02 &&
               write.data == std::vector<uint8_t>{0x01, 0x00};
    };
    ASSERT_TRUE(sim::runEventLoopUntil(
        [&] { return std::ranges::any_of(controlWrites(camera), brightnessUp); }));
    const std::vector<sim::ControlTransfer> writes = controlWrites(camera);
    EXPECT_EQ(writes.size(), 1U) << "a reset writes every control";

    windows.requestClose(control[0]);
    ASSERT_TRUE(windows.waitForMapped("vistrel", 0, eventTimeout).empty());
    menu = openMenu();
    ASSERT_TRUE(menu);
    choose(*menu, MenuItem::about);
    const std::vector<unsigned long> about = windows.waitForMapped("vistrel", 1, eventTimeout);
    ASSERT_EQ(about.size(), 1U);
    EXPECT_TRUE(windows.hasProperty(about[0], "_NET_WM_ICON")) << "About window";
}

} // namespace app
