#pragma once
// Base of the control-window tests: the simulated camera opened through the real libraries,
// user defaults in a file of the test's own, and a control window opened as the tray would.

#include "platform/widgets/RecordingCaptureBackend.h"
#include "support/SimulatedCamera.h"
#include "windows/UVCDeviceViewController.h"
#include "windows/UVCDeviceWindowController.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace windows {

// How requests reach the camera: usbfs while no kernel driver holds it, else the video node of
// the driver that does.
using Route = sim::TransferRoute;
inline const auto bothRoutes = ::testing::Values(Route::usbfs, Route::videoNode);

// The tail of a test name for the route in a parameter: "_Usb" or "_VideoNode".
template <typename Param> std::string routeSuffix(const Param& param) {
    return std::get<Route>(param) == Route::usbfs ? "_Usb" : "_VideoNode";
}

class ControlWindowTest : public ::testing::Test {
protected:
    static constexpr uint8_t pu = sim::SimulatedCamera::processingUnit;
    static constexpr uint8_t ct = sim::SimulatedCamera::cameraTerminal;

    // On the video node the kernel's driver holds the camera from its plug on.
    explicit ControlWindowTest(Route route = Route::usbfs);
    ~ControlWindowTest() override;

    // Opens a window controller on the camera and shows it; the camera's log starts empty.
    void openWindow();
    // Plugs the camera again, changed while it was out. The driver reads a range once, when it is
    // first asked for (anything on the desktop may ask as soon as the node appears), so a camera
    // that lacks a range must lack it from its plug on.
    void replugChanged(const std::function<void(sim::SimulatedCamera&)>& change);
    UVCDeviceViewController& view() const;

    // Class requests since the last clear: SET_CUR (0x21) and reads (0xA1).
    std::vector<sim::ControlTransfer> writes() const;
    std::vector<sim::ControlTransfer> reads() const;
    // The reads after the last write, leaving out the driver's question for the camera's
    // request error code after a stall: what a refresh after a write asks.
    std::vector<sim::ControlTransfer> readsAfterLastWrite() const;

    // A left click in the middle of a control (a check box on its indicator).
    static void click(QWidget* widget);
    // A click on the slider's groove at the fraction of its width.
    static void clickSlider(QSlider* slider, double fraction);

    const Route route;
    QTemporaryDir settingsDir;
    sim::SimulatedCamera camera;
    std::shared_ptr<platform::RecordingCaptureBackend> backend;
    std::shared_ptr<device::UVCDevice> device;
    std::shared_ptr<UVCDeviceWindowController> controller;
};

// A suite whose parameter is its case's fields and, last, the route it runs on.
template <typename... Case>
class RoutedTest : public ControlWindowTest,
                   public ::testing::WithParamInterface<std::tuple<Case..., Route>> {
protected:
    RoutedTest()
        : ControlWindowTest(std::get<Route>(this->GetParam())) {}
    // The case of a suite with one.
    static const auto& testCase() { return std::get<0>(RoutedTest::GetParam()); }
};

} // namespace windows
