#pragma once
// One simulated USB camera on the testbed: its sysfs entries (device, two interfaces, video
// node, and the hub it sits behind, if any, which comes and goes with it), its usbfs node
// answering from its endpoint 0, and plug/unplug with the uevents the kernel would send.

#include "support/DriverBinding.h"
#include "support/UsbDeviceIdentity.h"

#include <chrono>

#include <memory>
#include <string>

namespace sim {

class SimulatedControlEndpoint;
class SimulatedControlModel;
class SimulatedTestbed;
class UsbDeviceNode;
class UsbIoctlHandler;
class SimulatedVideoDriver;
class VideoDeviceNode;

class SimulatedUsbDevice {
public:
    SimulatedUsbDevice(std::shared_ptr<SimulatedTestbed> testbed, UsbDeviceIdentity identity,
                       SimulatedControlModel model);
    ~SimulatedUsbDevice(); // unplugs
    SimulatedUsbDevice(const SimulatedUsbDevice&) = delete;
    SimulatedUsbDevice& operator=(const SimulatedUsbDevice&) = delete;

    void plug();
    void unplug();
    bool isPlugged() const;
    // From the next plug on the kernel's video driver holds the camera as `binding` says. Only
    // while unplugged; for the life of the device.
    void bindDriver(DriverBinding binding);
    int driverDetachments() const;
    // The driver's node numbers (capture, metadata; only while unplugged), and its control
    // timeout.
    void numberVideoNodes(int capture, int metadata);
    std::chrono::milliseconds driverTimeout() const;
    void setDriverTimeout(std::chrono::milliseconds timeout);

    const UsbDeviceIdentity& identity() const;
    SimulatedControlEndpoint& endpoint() const;

private:
    void linkVideoNumbers(const std::string& name, const std::string& sysfsPath,
                          bool present) const;
    void requireUnplugged() const;

    const std::shared_ptr<SimulatedTestbed> testbed;
    UsbDeviceIdentity id;
    const std::shared_ptr<SimulatedControlEndpoint> controlEndpoint;
    const std::shared_ptr<UsbDeviceNode> node;
    const std::unique_ptr<UsbIoctlHandler> handler;
    const std::shared_ptr<SimulatedVideoDriver> driver;
    std::shared_ptr<VideoDeviceNode> videoNode;
    std::shared_ptr<VideoDeviceNode> metadataNode;
    std::unique_ptr<UsbIoctlHandler> videoHandler;
    std::unique_ptr<UsbIoctlHandler> metadataHandler;
    bool driverBound = false;
    DriverBinding binding;
    bool plugged = false;
};

} // namespace sim
