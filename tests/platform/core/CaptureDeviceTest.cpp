#include "platform/core/CaptureDevice.h"

#include "platform/core/CaptureDeviceDiscovery.h"
#include "support/SimulatedCamera.h"

#include <gtest/gtest.h>

TEST(CaptureDevice, TheSameCameraFoundAgainIsEqualEvenAfterReplugging) {
    sim::SimulatedCamera camera;
    camera.plug();
    camera.plugForeignCamera();
    auto before = platform::CaptureDeviceDiscovery::devices();
    camera.unplug();
    camera.plug();
    auto after = platform::CaptureDeviceDiscovery::devices();

    ASSERT_EQ(before.size(), 2u);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(before[0], after[0]);
    EXPECT_EQ(before[1], after[1]);
    EXPECT_NE(after[0], after[1]);
}
