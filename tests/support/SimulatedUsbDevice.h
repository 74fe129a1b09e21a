#pragma once
// One simulated USB camera on the testbed: its sysfs entries (device, two interfaces, video
// node), its usbfs node answering from its endpoint 0, and plug/unplug with the uevents the
// kernel would send.

#include "support/UsbDeviceIdentity.h"

#include <memory>
#include <string>

namespace sim {

class SimulatedControlEndpoint;
class SimulatedControlModel;
class SimulatedTestbed;
class UsbDeviceNode;
class UsbIoctlHandler;
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
    // From the next plug on the kernel's video driver holds the camera, with its video node or,
    // `withNode` false, without one. Only while unplugged; for the life of the device.
    void bindDriver(bool withNode);
    int driverDetachments() const;

    const UsbDeviceIdentity& identity() const;
    SimulatedControlEndpoint& endpoint() const;

private:
    void linkVideoNumbers(bool present) const;

    const std::shared_ptr<SimulatedTestbed> testbed;
    const UsbDeviceIdentity id;
    const std::shared_ptr<SimulatedControlEndpoint> controlEndpoint;
    const std::shared_ptr<UsbDeviceNode> node;
    const std::unique_ptr<UsbIoctlHandler> handler;
    std::shared_ptr<VideoDeviceNode> videoNode;
    std::unique_ptr<UsbIoctlHandler> videoHandler;
    bool driverBound = false;
    bool plugged = false;
};

} // namespace sim
