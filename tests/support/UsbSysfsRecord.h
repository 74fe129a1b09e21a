#pragma once
// The umockdev record of a simulated camera: the USB device with its sysfs attributes,
// descriptors and udev properties, its two interfaces and its video4linux node.

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct UsbDeviceIdentity;

class UsbSysfsRecord {
public:
    // How the video node appears: a file nothing answers, the driver's capture and metadata
    // nodes whose ioctls a handler answers, or none.
    enum class VideoNode { file, answered, none };

    // `nodeName`: the name the driver gave the video nodes. `udevCapabilities` false: udev set
    // no ID_V4L_* properties (containers, minimal udev).
    UsbSysfsRecord(const UsbDeviceIdentity& identity, std::vector<uint8_t> descriptors,
                   std::string nodeName, VideoNode node = VideoNode::file,
                   bool udevCapabilities = true);

    std::string text() const;
    // The record of the hub that the device of `identity` sits behind (a high-speed hub with
    // four ports, no driver-specific attributes).
    static std::string hubText(const UsbDeviceIdentity& identity);

private:
    std::string device() const;
    std::string interface(int number, int subclass) const;
    std::string videoNode(const std::string& name, const std::string& sysfsPath,
                          const char* capabilities) const;
    std::string common() const; // properties shared by the device, interfaces and node

    const UsbDeviceIdentity& identity;
    std::vector<uint8_t> descriptors;
    std::string nodeName;
    VideoNode node;
    bool udevCapabilities;
};

} // namespace sim
