#pragma once
// Base of the tests that reach the simulated camera: the camera plugged before any libusb or
// libuvc context exists, user defaults in a directory of the test's own, standard output
// captured, and helpers to open the camera and to see what it received.

#include "device/UVCDevice.h"
#include "support/EventLoop.h"
#include "support/SimulatedCamera.h"
#include "support/StdoutCapture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <tuple>

namespace device {

using sim::runEventLoop;
using sim::runEventLoopUntil;

// How requests reach the camera: usbfs while no kernel driver holds it, else the video node of
// the driver that does.
enum class Route { usb, videoNode };
std::string routeName(const ::testing::TestParamInfo<Route>& info);
inline const auto bothRoutes = ::testing::Values(Route::usb, Route::videoNode);

// The setup fields of a request: bmRequestType, bRequest, wValue, wIndex, wLength.
using Wire = std::tuple<int, int, int, int, int>;
Wire wireOf(const sim::ControlTransfer& transfer);

// Parametrized by the route: with the video node the driver holds the simulated camera.
class CameraTest : public ::testing::TestWithParam<Route> {
protected:
    CameraTest();
    ~CameraTest() override;

    // The camera through the process-wide context; the transfers of the opening are cleared.
    std::shared_ptr<UVCDevice> openCamera();
    // The class requests the camera saw (standard requests of enumeration left out).
    std::vector<sim::ControlTransfer> classRequests() const;

    bool viaDriver() const { return GetParam() == Route::videoNode; }

    QTemporaryDir configHome;
    sim::SimulatedCamera camera;
    sim::StdoutCapture output;
};

} // namespace device
