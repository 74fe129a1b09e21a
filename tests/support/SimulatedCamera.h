#pragma once
// A VISTREL camera emulated with umockdev: sysfs entries, udev properties and usbfs ioctls,
// so that code under test runs the real libusb, libuvc and libudev against it.

#include "support/Control.h"
#include "support/ControlTransfer.h"
#include "support/DriverBinding.h"
#include "support/Fault.h"
#include "support/UsbDescriptors.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sim {

class SimulatedTestbed;
class SimulatedUsbDevice;

// The camera at /devices/pci0000:00/0000:00:14.0/usb1/1-1 (bus 1, device 2, /dev/video0), a
// foreign UVC camera at usb1/1-2 (bus 1, device 3, /dev/video1), a second VISTREL camera at
// usb1/1-3 (bus 1, device 4, /dev/video2) and a third one behind a hub in the first one's port
// (hub usb1/1-1, device 5; camera 1-1.3, device 6, /dev/video5), each plugged on its own.
//
// The cameras live in the process-wide testbed (SimulatedTestbed::processWide()), so contexts
// of the code under test that outlive one test (the libuvc context, udev monitors) see the
// cameras of the next. The constructor plugs nothing: a test calls plug() when the camera
// should appear; the destructor unplugs what is still plugged. A libusb context that a test
// made itself is exited before the fixture is destroyed.
class SimulatedCamera {
public:
    static constexpr uint16_t vendorId = 0x0C45;
    static constexpr uint16_t productId = 0x6366;
    static constexpr uint16_t foreignVendorId = 0x046D;
    static constexpr uint16_t foreignProductId = 0x0825;
    static constexpr const char* productName = "VISTREL";
    static constexpr const char* foreignProductName = "Foreign Cam";
    // Its descriptors name its function (and its control interface) so, and the kernel's video
    // driver names its nodes "VISTREL: USB Camera"; the foreign camera names neither.
    static constexpr const char* functionName = "USB Camera";

    static constexpr uint8_t cameraTerminal = 1;
    static constexpr uint8_t processingUnit = 2;
    static constexpr uint8_t extensionUnit = 3;
    static constexpr uint8_t firmwareSelector = 3;
    static constexpr uint8_t buttonSelector = 1;
    static constexpr uint8_t idleButtonCode = 0x1D;
    static constexpr uint8_t defaultFirmwareCode = 0x35;

    // Throws std::runtime_error when the process runs without the umockdev preload library.
    SimulatedCamera();
    ~SimulatedCamera(); // unplugs every camera it plugged
    SimulatedCamera(const SimulatedCamera&) = delete;
    SimulatedCamera& operator=(const SimulatedCamera&) = delete;

    // Adds the camera with "add" uevents; removes it with "remove" uevents (children first),
    // after which every ioctl on a handle opened before fails with ENODEV, also after a
    // re-plug; a transfer still in flight ends with ENODEV at once, as with the kernel.
    void plug();
    void unplug();
    bool isPlugged() const;
    // The kernel's video driver holds the camera from its next plug on, and again on every
    // re-plug (call while unplugged):
    // usbfs refuses its interfaces, the capture node (/dev/video0) answers the V4L2 controls and
    // the extension-unit query from the same model, script and faults, the metadata node
    // (/dev/video3) refuses them, and each request the driver sends is logged with the
    // video-node route and the driver's timeout. Each plug is a fresh probe of the driver.
    void bindDriver(DriverBinding binding = {});
    // How often anything detached the driver from the camera's interfaces.
    int driverDetachments() const;
    // The numbers the driver gives the capture and metadata nodes (call while unplugged).
    void numberVideoNodes(int capture, int metadata);
    // The driver's control timeout, 5 s as the kernel's; a test shortens it only here and finds
    // it on each request the driver logs from then on.
    std::chrono::milliseconds driverTimeout() const;
    void setDriverTimeout(std::chrono::milliseconds timeout);
    // The UVC version and the extension unit's selectors the descriptors announce (call while
    // unplugged; the UVC 1.5 variant of the camera is {0x0150}).
    void setVideoControl(UsbDescriptors::VideoControl facts);
    // The names the descriptors give the camera's function and its video-control interface; an
    // empty one is no string (call while unplugged).
    void setFunctionNames(std::string function, std::string controlInterface);
    void plugForeignCamera();
    void unplugForeignCamera();
    // The second VISTREL camera has a control model and transfer log of its own.
    void plugSecondCamera();
    void unplugSecondCamera();
    std::vector<ControlTransfer> secondCameraTransfers() const;
    // As scriptButtonCodes() and bindDriver(), for the second VISTREL camera (its metadata
    // node is video4).
    void scriptSecondCameraButtonCodes(std::vector<uint8_t> codes);
    void bindSecondCameraDriver();
    // The camera behind the hub, plugged with its hub while the first camera is unplugged (the
    // hub takes its port); its metadata node is video6.
    void plugCameraBehindHub();
    void unplugCameraBehindHub();
    std::vector<ControlTransfer> cameraBehindHubTransfers() const;
    void bindCameraBehindHubDriver();

    // The control model, keyed by (unit, selector). Unknown controls throw std::out_of_range,
    // values of the wrong length std::invalid_argument. SET_CUR stores any value of the
    // control's length; an empty min/max/def/cur/res makes that GET request stall.
    Control control(uint8_t unit, uint8_t selector) const;
    void setControl(uint8_t unit, uint8_t selector, Control control);
    std::vector<uint8_t> current(uint8_t unit, uint8_t selector) const;
    void setCurrent(uint8_t unit, uint8_t selector, std::vector<uint8_t> bytes);
    void setDefault(uint8_t unit, uint8_t selector, std::vector<uint8_t> bytes);
    // Every control of the camera terminal and the processing unit announces auto-update in its
    // GET_INFO (bit 3): the camera may change them by itself, so the driver reads them afresh.
    void flagControlsAutoUpdate();

    // The vendor unit: firmware code at offset 3 of selector 3, button code at offset 2 of
    // selector 1. Each selector-1 GET_CUR consumes the next scripted code; when the script is
    // used up the current code is answered.
    void setFirmwareCode(uint8_t code);
    void setButtonCode(uint8_t code);
    void scriptButtonCodes(std::vector<uint8_t> codes);

    // Every control transfer of the camera, standard requests included, in order.
    std::vector<ControlTransfer> transfers() const;
    void clearTransfers();

    // Faults apply to class requests only, the first matching one per transfer. A stalled,
    // disconnected or timed-out transfer changes nothing in the model (a scripted button code
    // is not used up); a short SET_CUR is not taken; a delayed one is answered from the model
    // as it is when the transfer starts. A disconnect fails the one transfer with ENODEV
    // (LIBUSB_ERROR_NO_DEVICE); unplug() removes the camera.
    // The model, log and faults may be used while libusb works on other threads.
    void inject(Fault fault);
    void clearFaults();

    // The testbed directory; child processes get it as UMOCKDEV_DIR.
    std::string umockdevDir() const;

    // sysfs paths of the nodes, for tests that read them
    std::string videoNodeSysfsPath() const;
    std::string foreignVideoNodeSysfsPath() const;

private:
    std::shared_ptr<SimulatedTestbed> testbed;
    std::unique_ptr<SimulatedUsbDevice> camera;
    std::unique_ptr<SimulatedUsbDevice> foreignCamera;
    std::unique_ptr<SimulatedUsbDevice> secondCamera;
    std::unique_ptr<SimulatedUsbDevice> cameraBehindHub;
};

} // namespace sim
