#include "device/UVCContext.h"
#include "device/UVCDevice.h"
#include "support/SimulatedCamera.h"
#include "support/StdoutCapture.h"

#include <gtest/gtest.h>

#include <memory>

namespace device {

// The context lives as long as the process while cameras come and go: a camera that arrives
// after another one left is found afresh, and requests reach the camera that is there now.
TEST(UVCContextTest, ACameraPluggedAfterAnEarlierOneLeftIsFoundAfresh) {
    sim::StdoutCapture output;
    for (const uint8_t firmware : {0x35, 0x00, 0x35}) {
        SCOPED_TRACE(static_cast<int>(firmware));
        sim::SimulatedCamera camera;
        camera.setFirmwareCode(firmware);
        camera.plug();
        output.clear();
        const auto device = UVCContext::shared().findDevice(sim::SimulatedCamera::vendorId,
                                                            sim::SimulatedCamera::productId);
        ASSERT_TRUE(device);
        EXPECT_EQ(device->timer() != nullptr, firmware == 0x35);
        EXPECT_FALSE(camera.transfers().empty());
    }
    sim::SimulatedCamera absent;
    EXPECT_FALSE(UVCContext::shared().findDevice(sim::SimulatedCamera::vendorId,
                                                 sim::SimulatedCamera::productId));
}

} // namespace device
