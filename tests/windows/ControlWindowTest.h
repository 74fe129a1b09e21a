#pragma once
// Base of the control-window tests: the simulated camera opened through the real libraries,
// user defaults in a file of the test's own, and a control window opened as the tray would.

#include "platform/widgets/RecordingCaptureBackend.h"
#include "support/SimulatedCamera.h"
#include "windows/UVCDeviceViewController.h"
#include "windows/UVCDeviceWindowController.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace windows {

class ControlWindowTest : public ::testing::Test {
protected:
    static constexpr uint8_t pu = sim::SimulatedCamera::processingUnit;
    static constexpr uint8_t ct = sim::SimulatedCamera::cameraTerminal;

    ControlWindowTest();
    ~ControlWindowTest() override;

    // Opens a window controller on the camera and shows it; the camera's log starts empty.
    void openWindow();
    UVCDeviceViewController& view() const;

    // Class requests since the last clear: SET_CUR (0x21) and reads (0xA1).
    std::vector<sim::ControlTransfer> writes() const;
    std::vector<sim::ControlTransfer> reads() const;

    // A left click in the middle of a control (a check box on its indicator).
    static void click(QWidget* widget);
    // A click on the slider's groove at the fraction of its width.
    static void clickSlider(QSlider* slider, double fraction);

    QTemporaryDir settingsDir;
    sim::SimulatedCamera camera;
    std::shared_ptr<platform::RecordingCaptureBackend> backend;
    std::shared_ptr<device::UVCDevice> device;
    std::shared_ptr<UVCDeviceWindowController> controller;
};

} // namespace windows
