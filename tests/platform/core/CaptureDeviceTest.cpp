#include "platform/core/CaptureDevice.h"

#include "platform/core/CaptureDeviceDiscovery.h"
#include "support/SimulatedCamera.h"

#include <gtest/gtest.h>

namespace platform {

TEST(CaptureDeviceTest, TheSameCameraFoundAgainIsEqualEvenAfterReplugging) {
    sim::SimulatedCamera camera;
    camera.plug();
    camera.plugForeignCamera();
    auto before = CaptureDeviceDiscovery::devices();
    camera.unplug();
    camera.plug();
    auto after = CaptureDeviceDiscovery::devices();

    ASSERT_EQ(before.size(), 2u);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(before[0], after[0]);
    EXPECT_EQ(before[1], after[1]);
    EXPECT_NE(after[0], after[1]);
}

} // namespace platform
