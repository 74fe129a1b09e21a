#include "app/StatusItem.h"

#include "AppTest.h"
#include "app/UVCDevicePanel.h"
#include "platform/core/UserDefaults.h"
#include "platform/widgets/StatusBarItem.h"
#include "support/KeystrokeRecorder.h"
#include "support/VirtualDisplay.h"

#include <QAction>
#include <QMenu>

namespace app {

namespace {

using namespace std::chrono_literals;
using Keys = std::vector<sim::RecordedKey>;

const Keys enterOnce{{true, "Return", 0}, {false, "Return", 0}};

// Two VISTREL cameras listed by one status item, their presses typed on a virtual display.
// On the video node the kernel's driver holds both cameras.
class StatusItemTwoCamerasTest : public AppTest,
                                 public ::testing::WithParamInterface<sim::TransferRoute> {
protected:
    StatusItemTwoCamerasTest() {
        if (GetParam() == sim::TransferRoute::videoNode) {
            camera.bindDriver();
            camera.bindSecondCameraDriver();
        }
        platform::UserDefaults::standard().set("Enter", "Keystroke_Setting");
        platform::UserDefaults::standard().set("disabled", "Keystroke_Delay");
        plugCamera();
        plugSecondCamera();
        item = StatusItem::make();
    }

    // The key events since the last call, once `count` came while the polls ran and none
    // followed for a while.
    Keys newEvents(size_t count) {
        runEventLoopUntil(
            [&] { return recorder.waitForEvents(seen + count, 10ms).size() >= seen + count; });
        runEventLoop(400ms); // a second device polling the same camera would type now
        const Keys all = recorder.settle();
        const Keys fresh(all.begin() + static_cast<std::ptrdiff_t>(seen), all.end());
        seen = all.size();
        return fresh;
    }

    // Class requests in a camera's log from `from` on; each took the route under test.
    static size_t classRequestsFrom(const std::vector<sim::ControlTransfer>& log, size_t from) {
        size_t count = 0;
        for (size_t at = from; at < log.size(); ++at) {
            if ((log[at].bmRequestType & 0x60) == 0x20) {
                EXPECT_EQ(log[at].route, GetParam());
                ++count;
            }
        }
        return count;
    }

    Lines menuTitles() const { return titles(*item->menu()); }

    sim::VirtualDisplay display;
    sim::KeystrokeRecorder recorder;
    std::shared_ptr<StatusItem> item;
    size_t seen = 0;
};

} // namespace

TEST_P(StatusItemTwoCamerasTest, EachCamerasPressTypesOnceAndUnpluggingOneLeavesTheOtherPolling) {
    ASSERT_EQ(item->uvcDevicePanels().size(), 2U);
    EXPECT_NE(item->uvcDevicePanels()[0]->uvcDevice(), item->uvcDevicePanels()[1]->uvcDevice());
    // One entry, for the camera listed first.
    EXPECT_EQ(menuTitles(), (Lines{"VISTREL", "-", "About_This_App", "Quit_App"}));
    EXPECT_EQ(item->menu()->actions().at(0)->data().value<platform::CaptureDevice>().nodePath(),
              "/dev/video0");

    size_t first = camera.transfers().size();
    size_t second = camera.secondCameraTransfers().size();
    camera.scriptButtonCodes({0x19});
    EXPECT_EQ(newEvents(2), enterOnce);
    camera.scriptSecondCameraButtonCodes({0x19});
    EXPECT_EQ(newEvents(2), enterOnce);
    // Each camera's polls went to it alone, through the route its driver leaves open.
    EXPECT_GT(classRequestsFrom(camera.transfers(), first), 0U);
    EXPECT_GT(classRequestsFrom(camera.secondCameraTransfers(), second), 0U);

    unplugCamera();
    ASSERT_EQ(item->uvcDevicePanels().size(), 1U);
    EXPECT_EQ(item->uvcDevicePanels()[0]->captureDevice().nodePath(), "/dev/video2");
    // The latest change was a removal: the menu offers no camera, while the other still polls.
    EXPECT_EQ(menuTitles(), (Lines{"No_Devices", "-", "About_This_App", "Quit_App"}));
    second = camera.secondCameraTransfers().size();
    camera.scriptSecondCameraButtonCodes({0x19});
    EXPECT_EQ(newEvents(2), enterOnce);
    EXPECT_GT(classRequestsFrom(camera.secondCameraTransfers(), second), 0U);
}

INSTANTIATE_TEST_SUITE_P(Routes, StatusItemTwoCamerasTest,
                         ::testing::Values(sim::TransferRoute::usbfs,
                                           sim::TransferRoute::videoNode),
                         routeName);

} // namespace app
