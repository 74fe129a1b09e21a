#include "CameraTest.h"
#include "device/UVCContext.h"

#include <filesystem>

namespace device {

namespace {

using Lines = std::vector<std::string>;

const std::string openedLine =
    "[UVCDevice] Open: LIBUSB_SUCCESS / LIBUSB_TRANSFER_COMPLETED Success";

class UVCDeviceOpeningTest : public CameraTest {
protected:
    std::shared_ptr<UVCDevice> find(int vid, int pid) {
        return UVCContext::shared().findDevice(vid, pid);
    }

    // Open device nodes and the event and timer descriptors of libusb contexts.
    static int usbDescriptors() {
        int count = 0;
        for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
            std::error_code error;
            const std::string target = std::filesystem::read_symlink(fd.path(), error);
            const bool usb = target.find("/dev/bus/usb/") != std::string::npos;
            count += usb || target == "anon_inode:[eventfd]" || target == "anon_inode:[timerfd]";
        }
        return count;
    }
};

} // namespace

TEST_F(UVCDeviceOpeningTest, OpeningPrintsFourLinesAndStartsThePollOfTheIdleCode) {
    camera.setButtonCode(0x65);
    const auto device = find(0x0C45, 0x6366);
    ASSERT_TRUE(device);
    EXPECT_EQ(output.lines(),
              (Lines{"asdf", openedLine, "The value for firmware is: 35", "The value is: 65"}));
    EXPECT_TRUE(device->timer());
}

TEST_F(UVCDeviceOpeningTest, OtherFirmwareOpensTheCameraWithoutReadingTheButton) {
    camera.setFirmwareCode(0x36);
    const auto device = find(0x0C45, 0x6366);
    ASSERT_TRUE(device);
    EXPECT_EQ(output.lines(), (Lines{"asdf", openedLine, "The value for firmware is: 36"}));
    EXPECT_FALSE(device->timer());
    for (const auto& request : classRequests()) {
        EXPECT_NE(request.selector(), 1) << "the button was read";
    }
    EXPECT_TRUE(device->getBrightness(UVCDevice::ValueType::current));
}

TEST_F(UVCDeviceOpeningTest, AnUnreadableFirmwareOrAnIdleCodeOutsideTheTableStartsNoPoll) {
    camera.setButtonCode(0x19);
    const auto unknownIdle = find(0x0C45, 0x6366);
    EXPECT_EQ(output.lines().back(), "The value is: 19");
    camera.inject({.kind = sim::FaultKind::stall, .unit = 3});
    const auto unreadable = find(0x0C45, 0x6366);
    EXPECT_EQ(output.lines().back(), "The value for firmware is: 00");
    ASSERT_TRUE(unknownIdle && unreadable);
    EXPECT_FALSE(unknownIdle->timer() || unreadable->timer());
}

TEST_F(UVCDeviceOpeningTest, AnotherCameraFoundByItsOwnIdsOpensTheDentalCamera) {
    camera.plugForeignCamera();
    camera.setFirmwareCode(0x36);
    EXPECT_TRUE(
        find(sim::SimulatedCamera::foreignVendorId, sim::SimulatedCamera::foreignProductId));
    camera.unplug();
    output.clear();
    EXPECT_FALSE(
        find(sim::SimulatedCamera::foreignVendorId, sim::SimulatedCamera::foreignProductId));
    EXPECT_EQ(output.lines(), (Lines{"asdf", "Failed to open device"}));
}

TEST_F(UVCDeviceOpeningTest, NothingIsFoundWithoutACameraOfTheIds) {
    camera.unplug();
    EXPECT_FALSE(find(0x0C45, 0x6366));
    EXPECT_TRUE(output.lines().empty());
}

TEST_F(UVCDeviceOpeningTest, ReleasingTheDeviceClosesItsHandleAndContext) {
    find(0x0C45, 0x6366); // the process-wide context is made and kept
    const int before = usbDescriptors();
    auto device = find(0x0C45, 0x6366);
    ASSERT_TRUE(device);
    EXPECT_GT(usbDescriptors(), before);
    device.reset();
    EXPECT_EQ(usbDescriptors(), before);
}

} // namespace device
