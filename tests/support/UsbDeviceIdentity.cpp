#include "support/UsbDeviceIdentity.h"

#include <cstdio>

namespace sim {

namespace {

const std::string rootHubPath = "/sys/devices/pci0000:00/0000:00:14.0/usb1";

std::string devnodeOf(int deviceNumber) {
    char path[32];
    std::snprintf(path, sizeof path, "/dev/bus/usb/001/%03d", deviceNumber);
    return path;
}

} // namespace

std::string UsbDeviceIdentity::name() const {
    return "1-" + portPath();
}

std::string UsbDeviceIdentity::portPath() const {
    return (hubPort != 0 ? std::to_string(hubPort) + "." : "") + std::to_string(port);
}

std::string UsbDeviceIdentity::sysfsPath() const {
    return (hubPort != 0 ? hubSysfsPath() : rootHubPath) + "/" + name();
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
    return devnodeOf(deviceNumber);
}

std::string UsbDeviceIdentity::idPath() const {
    return "pci-0000:00:14.0-usb-0:" + portPath();
}

std::string UsbDeviceIdentity::hubName() const {
    return "1-" + std::to_string(hubPort);
}

std::string UsbDeviceIdentity::hubSysfsPath() const {
    return rootHubPath + "/" + hubName();
}

std::string UsbDeviceIdentity::hubDevnode() const {
    return devnodeOf(hubDeviceNumber);
}

} // namespace sim
