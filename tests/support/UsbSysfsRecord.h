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
    UsbSysfsRecord(const UsbDeviceIdentity& identity, std::vector<uint8_t> descriptors);

    std::string text() const;

private:
    std::string device() const;
    std::string interface(int number, int subclass) const;
    std::string videoNode() const;
    std::string common() const; // properties shared by the device, interfaces and node

    const UsbDeviceIdentity& identity;
    std::vector<uint8_t> descriptors;
};

} // namespace sim
