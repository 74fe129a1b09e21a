#pragma once
// Base of the application tests: the simulated camera (unplugged) made before any udev or
// libusb context, the process's capture-device monitor started on it, user defaults in a
// directory of the test's own, the scenes registered and standard output captured.

#include "platform/core/CaptureDeviceMonitor.h"
#include "platform/core/NotificationCenter.h"
#include "support/EventLoop.h"
#include "support/SimulatedCamera.h"
#include "support/StdoutCapture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class QMenu;

namespace app {

using Lines = std::vector<std::string>;

// "Usb" or "VideoNode": the name of a case parametrized by the route of its requests.
inline std::string routeName(const ::testing::TestParamInfo<sim::TransferRoute>& info) {
    return info.param == sim::TransferRoute::usbfs ? "Usb" : "VideoNode";
}
using sim::runEventLoop;
using sim::runEventLoopUntil;

class AppTest : public ::testing::Test {
protected:
    AppTest();
    ~AppTest() override;

    // Plugs or unplugs and waits until the monitor has posted it (and every observer ran).
    void plugCamera();
    void unplugCamera();
    void plugForeignCamera();
    void plugSecondCamera();
    void unplugSecondCamera();
    // The application's lines since the start or the last output.clear(), without those that
    // observers of status items of earlier tests in this process print.
    Lines appLines() const;
    // The texts of a menu's items, "-" for a separator.
    static std::vector<std::string> titles(const QMenu& menu);

    QTemporaryDir configHome;
    sim::SimulatedCamera camera;
    platform::CaptureDeviceMonitor monitor;
    sim::StdoutCapture output;

private:
    // Makes the change and waits until the counter of its notification has gone up by one.
    void postedAfter(const int& posts, const std::function<void()>& change);

    std::vector<platform::NotificationCenter::ObserverToken> tokens;
    int staleObservers = 0;
    int connectedPosts = 0;
    int disconnectedPosts = 0;
};

} // namespace app
