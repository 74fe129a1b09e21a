#include "platform/core/CaptureDevice.h"

#include "platform/core/CaptureDeviceDiscovery.h"
#include "support/SimulatedCamera.h"

#include <QVariant>
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

TEST(CaptureDeviceTest, ADeviceRidesInAVariantAndComesBackEqual) {
    const CaptureDevice camera("VISTREL", "pci-0000:00:14.0-usb-0:1:1.0-0c456366", "/dev/video0");
    const QVariant carried = QVariant::fromValue(camera);
    ASSERT_EQ(carried.metaType(), QMetaType::fromType<CaptureDevice>());
    EXPECT_EQ(carried.value<CaptureDevice>(), camera);
    EXPECT_EQ(carried.value<CaptureDevice>().localizedName(), "VISTREL");
    EXPECT_TRUE(QVariant().value<CaptureDevice>().uniqueID().isEmpty());
}

} // namespace platform
