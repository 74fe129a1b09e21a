#pragma once
// Who a simulated USB camera is and where it sits: ids, strings, port (on the root hub or on a
// hub in one of its ports), device number and video4linux index, and the sysfs and /dev paths
// that follow from them.

#include <cstdint>
#include <string>

namespace sim {

struct UsbDeviceIdentity {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::string manufacturer;
    std::string product;
    std::string serial;
    std::string function{};         // the camera's function, as its descriptors name it
    std::string controlInterface{}; // its video-control interface, likewise
    int port = 1;                   // on root hub usb1: sysfs name 1-<port>
    int deviceNumber = 2;           // on bus 1
    int videoIndex = 0;             // /dev/video<index>
    int metadataIndex = 3;          // the driver's metadata node beside the capture node
    // A hub between the root hub and the device, in the root hub's port `hubPort` with the
    // device number `hubDeviceNumber`; the device is then in the hub's port `port`. 0: none.
    int hubPort = 0;
    int hubDeviceNumber = 0;

    std::string name() const;                    // 1-1, or 1-1.3 behind a hub in port 1
    std::string portPath() const;                // sysfs devpath: 1, or 1.3
    std::string sysfsPath() const;               // /sys/devices/.../usb1/1-1, or .../1-1/1-1.3
    std::string interfaceName(int number) const; // 1-1:1.0
    std::string videoName() const;               // video0
    std::string videoSysfsPath() const;
    std::string metadataName() const; // video3
    std::string metadataSysfsPath() const;
    std::string devnode() const; // /dev/bus/usb/001/002
    std::string idPath() const;  // pci-0000:00:14.0-usb-0:1
    std::string hubName() const; // 1-1
    std::string hubSysfsPath() const;
    std::string hubDevnode() const;
};

} // namespace sim
