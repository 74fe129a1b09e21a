#include "platform/core/CaptureDeviceMonitor.h"

#include "platform/core/NotificationCenter.h"
#include "support/SimulatedCamera.h"

#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <vector>

namespace platform {

namespace {

class CaptureDeviceMonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        observe(CaptureDeviceWasConnected, connected);
        observe(CaptureDeviceWasDisconnected, disconnected);
    }
    void TearDown() override {
        for (auto token : tokens) {
            NotificationCenter::defaultCenter().removeObserver(token);
        }
    }
    void observe(std::string_view name, std::vector<CaptureDevice>& into) {
        tokens.push_back(NotificationCenter::defaultCenter().addObserver(
            name, [this, &into](const Notification& note) {
                into.push_back(std::any_cast<CaptureDevice>(note.object));
                offMainThread = offMainThread || QThread::currentThread() != qApp->thread();
            }));
    }
    static bool waitFor(const std::vector<CaptureDevice>& list, std::size_t count) {
        return QTest::qWaitFor([&] { return list.size() >= count; }, 5000);
    }

    sim::SimulatedCamera camera; // before the monitor: udev monitors need the testbed
    CaptureDeviceMonitor monitor;
    std::vector<NotificationCenter::ObserverToken> tokens;
    std::vector<CaptureDevice> connected, disconnected;
    bool offMainThread = false;
};

} // namespace

TEST_F(CaptureDeviceMonitorTest, PostsTheCameraComingAndGoingOnTheMainThread) {
    ASSERT_TRUE(monitor.start());

    camera.plug();
    ASSERT_TRUE(waitFor(connected, 1));
    EXPECT_EQ(connected[0].localizedName(), "VISTREL");
    EXPECT_TRUE(connected[0].uniqueID().endsWith("0c456366"));
    EXPECT_EQ(connected[0].nodePath(), "/dev/video0");
    EXPECT_TRUE(disconnected.empty());

    camera.unplug();
    ASSERT_TRUE(waitFor(disconnected, 1));
    EXPECT_EQ(disconnected[0], connected[0]);
    EXPECT_EQ(disconnected[0].localizedName(), "VISTREL"); // its sysfs entry is gone by now
    EXPECT_EQ(connected.size(), 1u);
    EXPECT_FALSE(offMainThread);
}

TEST_F(CaptureDeviceMonitorTest, ACameraPresentAtStartLeavesWithTheNameItWasFoundWith) {
    camera.plug();
    ASSERT_TRUE(monitor.start());
    camera.unplug();

    ASSERT_TRUE(waitFor(disconnected, 1));
    EXPECT_EQ(disconnected[0].localizedName(), "VISTREL");
    EXPECT_TRUE(disconnected[0].uniqueID().endsWith("0c456366"));
}

TEST_F(CaptureDeviceMonitorTest, AForeignCameraComesAndGoesWithItsOwnNameAndIds) {
    camera.plug();
    ASSERT_TRUE(monitor.start());
    camera.plugForeignCamera();
    ASSERT_TRUE(waitFor(connected, 1));
    camera.unplugForeignCamera();
    ASSERT_TRUE(waitFor(disconnected, 1));
    QTest::qWait(50);

    ASSERT_EQ(connected.size(), 1u);
    EXPECT_NE(connected[0].localizedName(), "VISTREL");
    EXPECT_TRUE(connected[0].uniqueID().endsWith("046d0825"));
    ASSERT_EQ(disconnected.size(), 1u); // the camera stays
    EXPECT_EQ(disconnected[0], connected[0]);
    EXPECT_EQ(disconnected[0].localizedName(), connected[0].localizedName());
}

} // namespace platform
