#include "CameraTest.h"
#include "device/UVCContext.h"
#include "platform/core/CaptureDeviceDiscovery.h"
#include "support/OpenUsbDescriptors.h"

#include <libusb.h>

#include <algorithm>
#include <array>

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
    const int before = sim::openUsbDescriptors();
    EXPECT_FALSE(
        find(sim::SimulatedCamera::foreignVendorId, sim::SimulatedCamera::foreignProductId));
    EXPECT_EQ(output.lines(), (Lines{"asdf", "Failed to open device"}));
    EXPECT_EQ(sim::openUsbDescriptors(), before);
}

TEST_P(UVCDeviceOpeningTest, NothingIsFoundWithoutACameraOfTheIds) {
    camera.unplug();
    EXPECT_FALSE(find(0x0C45, 0x6366));
    EXPECT_TRUE(output.lines().empty());
}

TEST_P(UVCDeviceOpeningTest, ReleasingTheDeviceClosesItsHandleAndContext) {
    find(0x0C45, 0x6366); // the process-wide context is made and kept
    const int before = sim::openUsbDescriptors();
    auto device = find(0x0C45, 0x6366);
    ASSERT_TRUE(device);
    EXPECT_GT(sim::openUsbDescriptors(), before);
    device.reset();
    EXPECT_EQ(sim::openUsbDescriptors(), before);
}

// The location chooses the camera opened, by the route its driver leaves open; where no camera
// of the model is plugged in, none is opened rather than one that another device may already
// poll, also when that one is the only camera attached. Without a location a lone camera is
// opened, none of several. Behind a hub the location is the port path from the root hub down.
TEST_P(UVCDeviceOpeningTest, TheLocationChoosesTheCameraElseOnlyALoneCameraIsOpened) {
    if (viaDriver()) {
        camera.bindSecondCameraDriver();
        camera.bindCameraBehindHubDriver();
    }
    camera.plugForeignCamera();
    enum Camera { none, first, second, behindHub };
    using Location = platform::UsbLocation;
    const struct {
        const char* what;
        std::vector<Camera> plugged;
        std::optional<Location> location;
        Camera opened;
    } cases[] = {
        {"the first camera's port", {first, second}, Location{1, {1}}, first},
        {"the second camera's port", {first, second}, Location{1, {3}}, second},
        {"no location", {first, second}, std::nullopt, none},
        {"the other make's port", {first, second}, Location{1, {2}}, none},
        {"the first camera's port on another bus", {first, second}, Location{2, {1}}, none},
        {"the port whose camera left", {first}, Location{1, {3}}, none},
        {"the lone camera's port", {first}, Location{1, {1}}, first},
        {"no location, a lone camera", {first}, std::nullopt, first},
        {"the port path behind the hub", {behindHub}, Location{1, {1, 3}}, behindHub},
        {"the root hub's port of that number", {behindHub}, Location{1, {3}}, none},
        {"the hub's own port", {behindHub}, Location{1, {1}}, none},
    };
    const auto logOf = [&](Camera which) {
        return which == first    ? camera.transfers()
               : which == second ? camera.secondCameraTransfers()
                                 : camera.cameraBehindHubTransfers();
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.what);
        const auto plugged = [&](Camera which) {
            return std::ranges::count(entry.plugged, which) > 0;
        };
        plugged(second) ? camera.plugSecondCamera() : camera.unplugSecondCamera();
        if (!plugged(first)) {
            camera.unplug(); // the hub takes its port
        }
        plugged(behindHub) ? camera.plugCameraBehindHub() : camera.unplugCameraBehindHub();
        if (plugged(first)) {
            camera.plug();
        }
        std::array<size_t, 4> before{}; // log sizes, by camera
        for (const Camera which : {first, second, behindHub}) {
            before[which] = logOf(which).size();
        }
        output.clear();
        const auto device = UVCContext::shared().findDevice(0x0C45, 0x6366, entry.location);
        EXPECT_EQ(device != nullptr, entry.opened != none);
        if (!device) {
            EXPECT_EQ(output.lines(), (Lines{"asdf", "Failed to open device"}));
            continue;
        }
        EXPECT_TRUE(device->getBrightness(UVCDevice::ValueType::current));
        for (const Camera which : {first, second, behindHub}) {
            const auto log = logOf(which);
            const auto route =
                viaDriver() ? sim::TransferRoute::videoNode : sim::TransferRoute::usbfs;
            bool reached = false;
            for (auto at = log.begin() + static_cast<long>(before[which]); at != log.end(); ++at) {
                if ((at->bmRequestType & 0x60) == 0x20) {
                    reached = true;
                    EXPECT_EQ(at->route, route);
                }
            }
            EXPECT_EQ(reached, which == entry.opened) << which;
        }
    }
}

// sysfs names the place "1.3", which discovery hands on and libusb's numbering matches.
TEST_P(UVCDeviceOpeningTest, TheLocationDiscoveryGivesOpensTheCameraBehindAHub) {
    camera.unplug();
    if (viaDriver()) {
        camera.bindCameraBehindHubDriver();
    }
    camera.plugCameraBehindHub();
    const auto devices = platform::CaptureDeviceDiscovery::devices();
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].usbLocation(), (platform::UsbLocation{1, {1, 3}}));
    const size_t before = camera.cameraBehindHubTransfers().size();
    const auto device = UVCContext::shared().findDevice(0x0C45, 0x6366, devices[0].usbLocation());
    ASSERT_TRUE(device);
    EXPECT_GT(camera.cameraBehindHubTransfers().size(), before);
}

INSTANTIATE_TEST_SUITE_P(Routes, UVCDeviceOpeningTest, bothRoutes, routeName);

} // namespace device
