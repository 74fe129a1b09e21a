#include "platform/core/UsbCaptureNode.h"

#include "platform/core/CaptureDeviceDiscovery.h"
#include "platform/core/VideoNodeCapabilities.h"

#include <libudev.h>

#include <cstdlib>
#include <memory>

namespace platform {

namespace {

using Udev = std::unique_ptr<udev, decltype(&udev_unref)>;
using Enumerate = std::unique_ptr<udev_enumerate, decltype(&udev_enumerate_unref)>;
using Device = std::unique_ptr<udev_device, decltype(&udev_device_unref)>;

std::optional<unsigned> decimal(const char* value) {
    if (value == nullptr) {
        return std::nullopt;
    }
    char* end = nullptr;
    const unsigned long number = std::strtoul(value, &end, 10);
    if (end == value) {
        return std::nullopt;
    }
    return static_cast<unsigned>(number);
}

// The USB device that `node` belongs to sits at this bus number and address.
bool isOn(udev_device* node, unsigned busNumber, unsigned deviceAddress) {
    // The parent belongs to `node` and is released with it.
    udev_device* usb = udev_device_get_parent_with_subsystem_devtype(node, "usb", "usb_device");
    return usb != nullptr && decimal(udev_device_get_sysattr_value(usb, "busnum")) == busNumber &&
           decimal(udev_device_get_sysattr_value(usb, "devnum")) == deviceAddress;
}

// What the node itself says it is: the driver's metadata node beside a camera's capture node
// lacks the capture capability and refuses every control request. A node that cannot be asked
// keeps udev's answer, so that opening it later reports why it failed.
bool capturesVideo(udev_device* node, const char* devnode) {
    if (const auto captures = VideoNodeCapabilities::capturesVideo(devnode)) {
        return *captures;
    }
    return CaptureDeviceDiscovery::canCapture(node);
}

} // namespace

std::optional<std::string> UsbCaptureNode::find(unsigned busNumber, unsigned deviceAddress) {
    Udev context(udev_new(), &udev_unref);
    if (!context) {
        return std::nullopt;
    }
    Enumerate enumerate(udev_enumerate_new(context.get()), &udev_enumerate_unref);
    udev_enumerate_add_match_subsystem(enumerate.get(), "video4linux");
    udev_enumerate_scan_devices(enumerate.get());
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get())) {
        Device node(udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)),
                    &udev_device_unref);
        const char* devnode = node ? udev_device_get_devnode(node.get()) : nullptr;
        if (devnode != nullptr && isOn(node.get(), busNumber, deviceAddress) &&
            capturesVideo(node.get(), devnode)) {
            return std::string(devnode);
        }
    }
    return std::nullopt;
}

} // namespace platform
