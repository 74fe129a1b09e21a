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
    // How the video node appears: a file nothing answers, one whose ioctls a handler answers, or
    // none.
    enum class VideoNode { file, answered, none };

    UsbSysfsRecord(const UsbDeviceIdentity& identity, std::vector<uint8_t> descriptors,
                   VideoNode node = VideoNode::file);

    std::string text() const;

private:
    std::string device() const;
    std::string interface(int number, int subclass) const;
    std::string videoNode() const;
    std::string common() const; // properties shared by the device, interfaces and node

    const UsbDeviceIdentity& identity;
    std::vector<uint8_t> descriptors;
    VideoNode node;
};

} // namespace sim
