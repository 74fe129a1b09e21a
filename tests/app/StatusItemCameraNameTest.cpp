#include "app/StatusItem.h"

#include "AppTest.h"

#include <QMenu>

#include <algorithm>

namespace app {

namespace {

struct CameraNaming {
    const char* name;
    sim::TransferRoute route;
    const char* function; // what the descriptors name the function and control interface
};

class StatusItemCameraNameTest : public AppTest,
                                 public ::testing::WithParamInterface<CameraNaming> {};

} // namespace

// The kernel's video driver names the camera's nodes after its product string and, where the
// descriptors name one, its function ("VISTREL: USB Camera"). On either route the camera is
// added, listed, watched and removed as "VISTREL" all the same.
TEST_P(StatusItemCameraNameTest, TheCameraIsListedAndWatchedUnderItsProductString) {
    const auto& [name, route, function] = GetParam();
    camera.setFunctionNames(function, function);
    if (route == sim::TransferRoute::videoNode) {
        camera.bindDriver();
    }
    const auto item = StatusItem::make();
    output.clear();
    plugCamera();
    EXPECT_EQ(appLines(), (Lines{"Device connected: VISTREL", "Refreshing device list...",
                                 "Device added: VISTREL"}));
    EXPECT_EQ(titles(*item->menu()), (Lines{"VISTREL", "-", "About_This_App", "Quit_App"}));
    const auto buttonReads = [&] {
        const auto log = camera.transfers();
        return std::ranges::count_if(log, [](const auto& transfer) {
            return transfer.bRequest == 0x81 && transfer.unit() == 3 && transfer.selector() == 1;
        });
    };
    const auto opening = buttonReads();
    EXPECT_TRUE(runEventLoopUntil([&] { return buttonReads() >= opening + 2; }));
    output.clear();
    unplugCamera();
    EXPECT_EQ(appLines(), (Lines{"Device removed: VISTREL", "Device disconnected: VISTREL"}));
}

INSTANTIATE_TEST_SUITE_P(
    Routes, StatusItemCameraNameTest,
    ::testing::Values(CameraNaming{"UsbWithAFunctionName", sim::TransferRoute::usbfs, "USB Camera"},
                      CameraNaming{"UsbWithoutOne", sim::TransferRoute::usbfs, ""},
                      CameraNaming{"VideoNodeWithAFunctionName", sim::TransferRoute::videoNode,
                                   "USB Camera"},
                      CameraNaming{"VideoNodeWithoutOne", sim::TransferRoute::videoNode, ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace app
