// libusb hot-plug against the simulated cameras: arrival, departure and re-plug, and a second
// VISTREL camera with a transfer log of its own.
#include "support/SimulatedCamera.h"

#include <gtest/gtest.h>
#include <libusb.h>

#include <chrono>
#include <functional>
#include <vector>

namespace sim {

namespace {

class SimulatedCameraHotplugTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(libusb_init(&context), 0); }
    void TearDown() override {
        if (callback)
            libusb_hotplug_deregister_callback(context, callback);
        libusb_exit(context);
    }

    void watch() {
        auto events = LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED | LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT;
        ASSERT_EQ(libusb_hotplug_register_callback(
                      context, events, 0, SimulatedCamera::vendorId, SimulatedCamera::productId,
                      LIBUSB_HOTPLUG_MATCH_ANY, record, &seen, &callback),
                  LIBUSB_SUCCESS);
    }

    static int record(libusb_context*, libusb_device*, libusb_hotplug_event event, void* data) {
        static_cast<std::vector<libusb_hotplug_event>*>(data)->push_back(event);
        return 0;
    }

    // Handles libusb events until `count` hot-plug events were seen or five seconds passed.
    void waitForEvents(size_t count) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (seen.size() < count && std::chrono::steady_clock::now() < deadline) {
            timeval tick{0, 20000};
            libusb_handle_events_timeout_completed(context, &tick, nullptr);
        }
    }

    size_t deviceCount(uint16_t vendorId, uint16_t productId) {
        libusb_device** list = nullptr;
        ssize_t count = libusb_get_device_list(context, &list);
        size_t matching = 0;
        for (ssize_t i = 0; i < count; ++i) {
            libusb_device_descriptor descriptor{};
            libusb_get_device_descriptor(list[i], &descriptor);
            matching += descriptor.idVendor == vendorId && descriptor.idProduct == productId;
        }
        libusb_free_device_list(list, 1);
        return matching;
    }

    SimulatedCamera camera; // made before libusb_init, ended after libusb_exit
    libusb_context* context = nullptr;
    libusb_hotplug_callback_handle callback = 0;
    std::vector<libusb_hotplug_event> seen;
};

} // namespace

TEST_F(SimulatedCameraHotplugTest, SeesArrivalDepartureAndReplug) {
    watch();
    camera.plug();
    waitForEvents(1);
    camera.unplug();
    waitForEvents(2);
    camera.plug();
    waitForEvents(3);
    EXPECT_EQ(seen, (std::vector<libusb_hotplug_event>{LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED,
                                                       LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT,
                                                       LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED}));
}

TEST_F(SimulatedCameraHotplugTest, ForeignCameraRaisesNoEventForTheVistrelIds) {
    watch();
    camera.plugForeignCamera();
    EXPECT_EQ(deviceCount(SimulatedCamera::foreignVendorId, SimulatedCamera::foreignProductId), 1u);
    camera.plug();
    waitForEvents(1);
    camera.unplugForeignCamera();
    camera.unplug();
    waitForEvents(2);
    // Events come in order: the foreign camera's departure in between would show up here.
    EXPECT_EQ(seen, (std::vector<libusb_hotplug_event>{LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED,
                                                       LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT}));
}

TEST_F(SimulatedCameraHotplugTest, SecondCameraKeepsItsOwnTransferLog) {
    camera.plug();
    camera.plugSecondCamera();
    ASSERT_EQ(deviceCount(SimulatedCamera::vendorId, SimulatedCamera::productId), 2u);

    libusb_device** list = nullptr;
    ssize_t count = libusb_get_device_list(context, &list);
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device_descriptor descriptor{};
        libusb_get_device_descriptor(list[i], &descriptor);
        if (descriptor.idProduct != SimulatedCamera::productId ||
            libusb_get_device_address(list[i]) != 4)
            continue;
        libusb_device_handle* handle = nullptr;
        ASSERT_EQ(libusb_open(list[i], &handle), 0);
        uint8_t value[2] = {};
        EXPECT_EQ(libusb_control_transfer(handle, 0xA1, 0x81, 0x0200, 0x0200, value, 2, 1000), 2);
        libusb_close(handle);
    }
    libusb_free_device_list(list, 1);

    EXPECT_EQ(camera.secondCameraTransfers().size(), 1u);
    EXPECT_TRUE(camera.transfers().empty());
    camera.unplugSecondCamera();
    EXPECT_EQ(deviceCount(SimulatedCamera::vendorId, SimulatedCamera::productId), 1u);
}

} // namespace sim
