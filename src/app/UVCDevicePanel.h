#pragma once
// One listed camera: its capture device with the opened UVCDevice, and the control window,
// opened on demand and closed at once when the panel ends.

#include "platform/core/CaptureDevice.h"

#include <memory>

namespace device {
class UVCDevice;
}
namespace windows {
class UVCDeviceWindowController;
}

namespace app {

// Held through std::shared_ptr; the status item's list is its only owner. Main thread only.
class UVCDevicePanel : public std::enable_shared_from_this<UVCDevicePanel> {
    struct Key {
        explicit Key() = default;
    };

public:
    // The panel of a capture device, or nothing when its unique ID carries no vendor or
    // product ID, libuvc does not find the camera or the camera cannot be opened. With
    // several cameras attached, the one opened is the one at the capture device's USB
    // location; when none is there, nothing.
    static std::shared_ptr<UVCDevicePanel> make(const platform::CaptureDevice& captureDevice);
    UVCDevicePanel(Key, std::shared_ptr<device::UVCDevice> uvcDevice,
                   platform::CaptureDevice captureDevice);
    // Closes an open control window at once, without its fade.
    ~UVCDevicePanel();
    UVCDevicePanel(const UVCDevicePanel&) = delete;
    UVCDevicePanel& operator=(const UVCDevicePanel&) = delete;

    const std::shared_ptr<device::UVCDevice>& uvcDevice() const { return camera; }
    const platform::CaptureDevice& captureDevice() const { return capture; }
    // The controller of the control window while one exists.
    const std::shared_ptr<windows::UVCDeviceWindowController>& windowController() const {
        return controller;
    }

    // Shows the control window, made on first use and the same while it is open, and brings
    // the application to the front.
    void open();
    // Closes the control window at once, without its fade; nothing when none is open.
    void close();

private:
    std::shared_ptr<device::UVCDevice> camera;
    std::shared_ptr<windows::UVCDeviceWindowController> controller;
    platform::CaptureDevice capture;
};

} // namespace app
