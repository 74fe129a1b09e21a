#include "platform/core/CaptureDeviceDiscovery.h"

#include "support/FileModesEnforced.h"
#include "support/SimulatedCamera.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace platform {

TEST(CaptureDeviceDiscoveryTest, FindsNothingWhileNoCameraIsPlugged) {
    sim::SimulatedCamera camera;
    EXPECT_TRUE(CaptureDeviceDiscovery::devices().empty());
    camera.plug();
    camera.unplug();
    EXPECT_TRUE(CaptureDeviceDiscovery::devices().empty());
}

TEST(CaptureDeviceDiscoveryTest, ListsCamerasInNodeOrderByNameWithTheirUsbIdsLast) {
    sim::SimulatedCamera camera;
    camera.plug();
    auto devices = CaptureDeviceDiscovery::devices();
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].localizedName(), "VISTREL");
    EXPECT_TRUE(devices[0].uniqueID().endsWith("0c456366")) << devices[0].uniqueID().toStdString();
    EXPECT_EQ(devices[0].nodePath(), "/dev/video0");

    camera.plugForeignCamera();
    devices = CaptureDeviceDiscovery::devices();
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].localizedName(), "VISTREL");
    EXPECT_EQ(devices[1].nodePath(), "/dev/video1");
    EXPECT_NE(devices[1].localizedName(), "VISTREL");
    EXPECT_FALSE(devices[1].localizedName().isEmpty());
    EXPECT_TRUE(devices[1].uniqueID().endsWith("046d0825")) << devices[1].uniqueID().toStdString();
    // the rest of the ID tells the USB ports apart
    EXPECT_NE(devices[0].uniqueID().chopped(8), devices[1].uniqueID().chopped(8));

    // and the location says where each is plugged in
    EXPECT_EQ(devices[0].usbLocation(), (UsbLocation{1, {1}}));
    EXPECT_EQ(devices[1].usbLocation(), (UsbLocation{1, {2}}));

    camera.unplug();
    devices = CaptureDeviceDiscovery::devices();
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_TRUE(devices[0].uniqueID().endsWith("046d0825"));
}

// The driver's metadata node beside the capture node is no capture device, whether udev
// described the nodes or only the nodes themselves can tell.
TEST(CaptureDeviceDiscoveryTest, ACameraHeldByTheDriverIsListedOnceByItsCaptureNode) {
    for (const bool udevCapabilities : {true, false}) {
        SCOPED_TRACE(udevCapabilities);
        sim::SimulatedCamera camera;
        camera.numberVideoNodes(10, 9);
        camera.bindDriver({.udevCapabilities = udevCapabilities});
        camera.plug();
        const auto devices = CaptureDeviceDiscovery::devices();
        ASSERT_EQ(devices.size(), 1u);
        EXPECT_EQ(devices[0].nodePath(), "/dev/video10");
        EXPECT_EQ(devices[0].localizedName(), "VISTREL");
    }
}

// Asking a node what it is needs no more than reading it: nodes this user may read but not
// write still tell the capture node from the metadata node.
TEST(CaptureDeviceDiscoveryTest, NodesThisUserMayOnlyReadAreAskedWhatTheyAre) {
    sim::SimulatedCamera camera;
    camera.numberVideoNodes(10, 9);
    camera.bindDriver({.udevCapabilities = false});
    camera.plug();
    for (const char* node : {"/dev/video10", "/dev/video9"}) {
        ASSERT_EQ(chmod(node, 0444), 0) << node;
    }
    const sim::FileModesEnforced asAUser;
    const auto devices = CaptureDeviceDiscovery::devices();
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].nodePath(), "/dev/video10");
}

} // namespace platform
