// Fixtures one after another in one process on its one testbed, and the testbed shared with a
// child process.
#include "support/SimulatedCamera.h"

#include <gtest/gtest.h>
#include <libusb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace sim {

namespace {

int countArrival(libusb_context*, libusb_device*, libusb_hotplug_event, void* data) {
    ++*static_cast<int*>(data);
    return 0;
}

} // namespace

TEST(SimulatedCameraLifecycleTest, FixturesInSequenceEachWorkAndCleanUp) {
    std::string firstDir;
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        std::string dir;
        std::string videoNode;
        {
            SimulatedCamera camera;
            dir = camera.umockdevDir();
            videoNode = dir + camera.videoNodeSysfsPath();
            EXPECT_EQ(std::getenv("UMOCKDEV_DIR"), dir);
            libusb_context* context = nullptr;
            ASSERT_EQ(libusb_init(&context), 0);
            int arrivals = 0;
            libusb_hotplug_callback_handle callback = 0;
            ASSERT_EQ(libusb_hotplug_register_callback(
                          context, LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED, 0,
                          SimulatedCamera::vendorId, SimulatedCamera::productId,
                          LIBUSB_HOTPLUG_MATCH_ANY, countArrival, &arrivals, &callback),
                      LIBUSB_SUCCESS);
            camera.plug();
            auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (arrivals == 0 && std::chrono::steady_clock::now() < deadline) {
                timeval tick{0, 20000};
                libusb_handle_events_timeout_completed(context, &tick, nullptr);
            }
            EXPECT_EQ(arrivals, 1);

            libusb_device_handle* handle = libusb_open_device_with_vid_pid(
                context, SimulatedCamera::vendorId, SimulatedCamera::productId);
            ASSERT_NE(handle, nullptr);
            uint8_t mode = 0;
            EXPECT_EQ(libusb_control_transfer(handle, 0xA1, 0x81, 0x0200, 0x0100, &mode, 1, 1000),
                      1);
            EXPECT_EQ(mode, 0x08);
            EXPECT_EQ(camera.transfers().size(), 1u) << "nothing left over from an earlier round";
            libusb_close(handle);
            libusb_hotplug_deregister_callback(context, callback);
            EXPECT_TRUE(std::filesystem::exists(videoNode));
            libusb_exit(context);
        }
        EXPECT_FALSE(std::filesystem::exists(videoNode)) << "the fixture unplugs its camera";
        if (round == 0)
            firstDir = dir;
        EXPECT_EQ(dir, firstDir) << "one testbed for the process";
    }
}

TEST(SimulatedCameraLifecycleTest, ChildProcessSeesTheTestbedThroughUmockdevDir) {
    SimulatedCamera camera;
    camera.plug();
    std::string command = "env UMOCKDEV_DIR='" + camera.umockdevDir() +
                          "' LD_PRELOAD=libumockdev-preload.so.0 cat " +
                          camera.videoNodeSysfsPath() + "/name";
    FILE* child = popen(command.c_str(), "r");
    ASSERT_NE(child, nullptr);
    char line[64] = {};
    bool read = std::fgets(line, sizeof line, child) != nullptr;
    pclose(child);
    ASSERT_TRUE(read);
    EXPECT_EQ(std::string(line), "VISTREL: USB Camera\n");
}

} // namespace sim
