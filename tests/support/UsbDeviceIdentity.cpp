#include "support/UsbDeviceIdentity.h"

#include <cstdio>

namespace sim {

namespace {
const std::string rootHubPath = "/sys/devices/pci0000:00/0000:00:14.0/usb1";
}

std::string UsbDeviceIdentity::name() const {
    return "1-" + std::to_string(port);
}

std::string UsbDeviceIdentity::sysfsPath() const {
    return rootHubPath + "/" + name();
}

std::string UsbDeviceIdentity::interfaceName(int number) const {
    return name() + ":1." + std::to_string(number);
}

std::string UsbDeviceIdentity::videoName() const {
    return "video" + std::to_string(videoIndex);
}

std::string UsbDeviceIdentity::videoSysfsPath() const {
    return sysfsPath() + "/" + interfaceName(0) + "/video4linux/" + videoName();
}

std::string UsbDeviceIdentity::metadataName() const {
    return "video" + std::to_string(metadataIndex);
}

std::string UsbDeviceIdentity::metadataSysfsPath() const {
    return sysfsPath() + "/" + interfaceName(0) + "/video4linux/" + metadataName();
}

std::string UsbDeviceIdentity::devnode() const {
    char path[32];
    std::snprintf(path, sizeof path, "/dev/bus/usb/001/%03d", deviceNumber);
    return path;
}

std::string UsbDeviceIdentity::idPath() const {
    return "pci-0000:00:14.0-usb-0:" + std::to_string(port);
}

} // namespace sim
