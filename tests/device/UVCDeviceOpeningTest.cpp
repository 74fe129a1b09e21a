#include "CameraTest.h"
#include "device/UVCContext.h"

#include <libusb.h>

#include <algorithm>
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

TEST_P(UVCDeviceOpeningTest, OpeningPrintsFourLinesAndStartsThePollOfTheIdleCode) {
    camera.setButtonCode(0x65);
    const auto device = find(0x0C45, 0x6366);
    ASSERT_TRUE(device);
    EXPECT_EQ(output.lines(),
              (Lines{"asdf", openedLine, "The value for firmware is: 35", "The value is: 65"}));
    EXPECT_TRUE(device->timer());
}

// Through usbfs each request is a libusb transfer with a timeout of one second; the driver's
// requests carry its own, UVC_CTRL_CONTROL_TIMEOUT (5 s). Automatic detaching stays off: claiming
// the driver's interface on the device's handle is refused instead of detaching the driver.
TEST_P(UVCDeviceOpeningTest, TheDriversPresenceChoosesTheRouteAndNothingDetachesIt) {
    const auto device = find(0x0C45, 0x6366);
    ASSERT_TRUE(device);
    device->resetAll();
    EXPECT_TRUE(device->getBrightness(UVCDevice::ValueType::current));
    const auto route = viaDriver() ? sim::TransferRoute::videoNode : sim::TransferRoute::usbfs;
    const auto timeout = std::optional(viaDriver() ? 5000u : 1000u);
    const auto requests = classRequests();
    ASSERT_FALSE(requests.empty());
    for (const auto& request : requests) {
        EXPECT_EQ(request.route, route);
        EXPECT_EQ(request.timeoutMs, timeout);
    }
    const int claimed = libusb_claim_interface(device->device_handle(), 0);
    EXPECT_EQ(claimed, viaDriver() ? LIBUSB_ERROR_BUSY : LIBUSB_SUCCESS);
    if (claimed == LIBUSB_SUCCESS) {
        libusb_release_interface(device->device_handle(), 0);
    }
    EXPECT_EQ(camera.driverDetachments(), 0);
}

TEST(UVCDeviceRouteTest, ACameraWhoseVideoNodeCannotBeFoundAnswersEveryRequestWithAnError) {
    sim::SimulatedCamera camera;
    camera.bindDriver({.videoNodes = false});
    camera.plug();
    sim::StdoutCapture output;
    const auto device = UVCContext::shared().findDevice(0x0C45, 0x6366);
    ASSERT_TRUE(device);
    const std::string notFound = "libusb_control_transfer error: Entity not found (-5)";
    EXPECT_EQ(output.lines(),
              (Lines{"asdf", openedLine, "Unable to get value.", notFound, "Unable to get value.",
                     notFound, "Unable to get value.", notFound, "The value for firmware is: 00"}));
    EXPECT_FALSE(device->timer());
    EXPECT_EQ(device->getBrightness(UVCDevice::ValueType::current), std::nullopt);
    EXPECT_FALSE(device->setBrightness(1));
    for (const auto& transfer : camera.transfers()) {
        EXPECT_NE(transfer.bmRequestType & 0x60, 0x20) << "a class request reached the camera";
    }
}

TEST_P(UVCDeviceOpeningTest, OtherFirmwareOpensTheCameraWithoutReadingTheButton) {
    camera.setFirmwareCode(0x36);
    const auto device = find(0x0C45, 0x6366);
    ASSERT_TRUE(device);
    EXPECT_EQ(output.lines(), (Lines{"asdf", openedLine, "The value for firmware is: 36"}));
    EXPECT_FALSE(device->timer());
    for (const auto& request : classRequests()) {
        EXPECT_FALSE(request.unit() == 3 && request.selector() == 1) << "the button was read";
    }
    EXPECT_TRUE(device->getBrightness(UVCDevice::ValueType::current));
}

TEST_P(UVCDeviceOpeningTest, AnUnreadableFirmwareOrAnIdleCodeOutsideTheTableStartsNoPoll) {
    camera.setButtonCode(0x19);
    const auto unknownIdle = find(0x0C45, 0x6366);
    EXPECT_EQ(output.lines().back(), "The value is: 19");
    camera.inject({.kind = sim::FaultKind::stall, .unit = 3});
    const auto unreadable = find(0x0C45, 0x6366);
    EXPECT_EQ(output.lines().back(), "The value for firmware is: 00");
    ASSERT_TRUE(unknownIdle && unreadable);
    EXPECT_FALSE(unknownIdle->timer() || unreadable->timer());
}

// Without the dental camera the opening fails and exits the context it made.
TEST_P(UVCDeviceOpeningTest, AnotherCameraFoundByItsOwnIdsOpensTheDentalCamera) {
    camera.plugForeignCamera();
    camera.setFirmwareCode(0x36);
    EXPECT_TRUE(
        find(sim::SimulatedCamera::foreignVendorId, sim::SimulatedCamera::foreignProductId));
    camera.unplug();
    output.clear();
    const int before = usbDescriptors();
    EXPECT_FALSE(
        find(sim::SimulatedCamera::foreignVendorId, sim::SimulatedCamera::foreignProductId));
    EXPECT_EQ(output.lines(), (Lines{"asdf", "Failed to open device"}));
    EXPECT_EQ(usbDescriptors(), before);
}

TEST_P(UVCDeviceOpeningTest, NothingIsFoundWithoutACameraOfTheIds) {
    camera.unplug();
    EXPECT_FALSE(find(0x0C45, 0x6366));
    EXPECT_TRUE(output.lines().empty());
}

TEST_P(UVCDeviceOpeningTest, ReleasingTheDeviceClosesItsHandleAndContext) {
    find(0x0C45, 0x6366); // the process-wide context is made and kept
    const int before = usbDescriptors();
    auto device = find(0x0C45, 0x6366);
    ASSERT_TRUE(device);
    EXPECT_GT(usbDescriptors(), before);
    device.reset();
    EXPECT_EQ(usbDescriptors(), before);
}

// With two cameras of the model, the location chooses the camera opened, by the route its
// driver leaves open; without a location, or where neither is plugged in, none is opened
// rather than one that another device may already poll.
TEST_P(UVCDeviceOpeningTest, WithTwoCamerasTheLocationChoosesTheCameraElseNoneIsOpened) {
    if (viaDriver()) {
        camera.bindSecondCameraDriver();
    }
    camera.plugSecondCamera();
    camera.plugForeignCamera();
    const struct {
        const char* what;
        std::optional<platform::UsbLocation> location;
        bool first;
        bool second;
    } cases[] = {
        {"the first camera's port", platform::UsbLocation{1, {1}}, true, false},
        {"the second camera's port", platform::UsbLocation{1, {3}}, false, true},
        {"no location", std::nullopt, false, false},
        {"the other make's port", platform::UsbLocation{1, {2}}, false, false},
        {"the first camera's port on another bus", platform::UsbLocation{2, {1}}, false, false},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.what);
        camera.clearTransfers();
        const size_t second = camera.secondCameraTransfers().size();
        output.clear();
        const auto device = UVCContext::shared().findDevice(0x0C45, 0x6366, entry.location);
        ASSERT_EQ(device != nullptr, entry.first || entry.second);
        if (!device) {
            EXPECT_EQ(output.lines(), (Lines{"asdf", "Failed to open device"}));
            continue;
        }
        EXPECT_TRUE(device->getBrightness(UVCDevice::ValueType::current));
        EXPECT_EQ(!classRequests().empty(), entry.first);
        const auto log = camera.secondCameraTransfers();
        const bool secondReached = std::any_of(log.begin() + static_cast<long>(second), log.end(),
                                               [&](const sim::ControlTransfer& transfer) {
                                                   return (transfer.bmRequestType & 0x60) == 0x20;
                                               });
        EXPECT_EQ(secondReached, entry.second);
        for (const auto& transfer : classRequests()) {
            EXPECT_EQ(transfer.route,
                      viaDriver() ? sim::TransferRoute::videoNode : sim::TransferRoute::usbfs);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Routes, UVCDeviceOpeningTest, bothRoutes, routeName);

} // namespace device
