#include "platform/core/CaptureDeviceDiscovery.h"

#include "platform/core/CameraName.h"
#include "platform/core/VideoNodeCapabilities.h"

#include <QStringList>

#include <libudev.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

namespace platform {

namespace {

using Udev = std::unique_ptr<udev, decltype(&udev_unref)>;
using Enumerate = std::unique_ptr<udev_enumerate, decltype(&udev_enumerate_unref)>;
using Device = std::unique_ptr<udev_device, decltype(&udev_device_unref)>;

QString text(const char* value) {
    return value == nullptr ? QString() : QString::fromUtf8(value).trimmed();
}

// A hexadecimal sysfs value such as "0c45" or "0x84a00001".
std::optional<unsigned long> hexNumber(const char* value) {
    if (value == nullptr) {
        return std::nullopt;
    }
    char* end = nullptr;
    unsigned long number = std::strtoul(value, &end, 16);
    if (end == value || (*end != '\0' && *end != '\n')) {
        return std::nullopt;
    }
    return number;
}

std::optional<unsigned> usbId(udev_device* usbDevice, const char* attribute) {
    auto value = hexNumber(udev_device_get_sysattr_value(usbDevice, attribute));
    if (!value || *value > 0xFFFF) {
        return std::nullopt;
    }
    return static_cast<unsigned>(*value);
}

// The USB port's path, then the vendor and product IDs as eight lower-case hex digits.
std::optional<QString> uniqueID(udev_device* usbDevice) {
    auto vendor = usbId(usbDevice, "idVendor");
    auto product = usbId(usbDevice, "idProduct");
    if (!vendor || !product) {
        return std::nullopt;
    }
    QString port = text(udev_device_get_property_value(usbDevice, "ID_PATH"));
    if (port.isEmpty()) {
        port = text(udev_device_get_devpath(usbDevice));
    }
    return port + QStringLiteral("%1%2")
                      .arg(*vendor, 4, 16, QLatin1Char('0'))
                      .arg(*product, 4, 16, QLatin1Char('0'));
}

// The bus number and the port path ("1.3": port 3 of the hub at the root hub's port 1) of a
// USB device, as sysfs gives them.
std::optional<UsbLocation> usbLocation(udev_device* usbDevice) {
    const QString bus = text(udev_device_get_sysattr_value(usbDevice, "busnum"));
    const QString path = text(udev_device_get_sysattr_value(usbDevice, "devpath"));
    bool busRead = false;
    UsbLocation location{bus.toUInt(&busRead, 10), {}};
    if (!busRead || path.isEmpty()) {
        return std::nullopt;
    }
    for (const QString& port : path.split(QLatin1Char('.'))) {
        bool portRead = false;
        const unsigned number = port.toUInt(&portRead, 10);
        if (!portRead || number == 0 || number > 255) {
            return std::nullopt;
        }
        location.portNumbers.push_back(static_cast<uint8_t>(number));
    }
    return location;
}

// The node's name without what the driver added to the camera's product string.
QString cameraName(udev_device* node, udev_device* usbDevice) {
    const char* name = udev_device_get_sysattr_value(node, "name");
    const char* product = udev_device_get_sysattr_value(usbDevice, "product");
    return CameraName::of(name == nullptr ? "" : name,
                          product == nullptr ? std::nullopt
                                             : std::optional<std::string_view>(product),
                          static_cast<uint16_t>(usbId(usbDevice, "idVendor").value_or(0)),
                          static_cast<uint16_t>(usbId(usbDevice, "idProduct").value_or(0)));
}

// video2 before video10: the node names compared by their stem, then by their number.
bool nodeOrder(const CaptureDevice& a, const CaptureDevice& b) {
    auto split = [](const QString& path) {
        qsizetype digits = path.size();
        while (digits > 0 && path.at(digits - 1).isDigit()) {
            --digits;
        }
        return std::pair(path.left(digits), path.mid(digits).toULongLong());
    };
    return split(a.nodePath()) < split(b.nodePath());
}

} // namespace

std::vector<CaptureDevice> CaptureDeviceDiscovery::devices() {
    std::vector<CaptureDevice> found;
    Udev context(udev_new(), &udev_unref);
    if (!context) {
        return found;
    }
    Enumerate enumerate(udev_enumerate_new(context.get()), &udev_enumerate_unref);
    if (!enumerate || udev_enumerate_add_match_subsystem(enumerate.get(), "video4linux") < 0 ||
        udev_enumerate_scan_devices(enumerate.get()) < 0) {
        return found;
    }
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get())) {
        Device node(udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)),
                    &udev_device_unref);
        if (node) {
            if (auto device = captureDevice(node.get())) {
                found.push_back(*device);
            }
        }
    }
    std::sort(found.begin(), found.end(), nodeOrder);
    return found;
}

// udev's own answer first (":capture:" among the node's capabilities), else the node's own
// (video4linux nodes carry no capability attributes in sysfs); a node that tells nothing is taken
// as capturing.
bool CaptureDeviceDiscovery::canCapture(udev_device* node) {
    if (const char* capabilities = udev_device_get_property_value(node, "ID_V4L_CAPABILITIES")) {
        return std::string(capabilities).find(":capture:") != std::string::npos;
    }
    return VideoNodeCapabilities::capturesVideo(nodePath(node).toStdString()).value_or(true);
}

std::optional<CaptureDevice> CaptureDeviceDiscovery::captureDevice(udev_device* node) {
    if (!canCapture(node)) {
        return std::nullopt;
    }
    // Owned by node: not to be unreferenced here.
    udev_device* usbDevice =
        udev_device_get_parent_with_subsystem_devtype(node, "usb", "usb_device");
    if (usbDevice == nullptr) {
        return std::nullopt;
    }
    auto id = uniqueID(usbDevice);
    if (!id) {
        return std::nullopt;
    }
    return CaptureDevice(cameraName(node, usbDevice), *id, nodePath(node), usbLocation(usbDevice));
}

QString CaptureDeviceDiscovery::nodePath(udev_device* node) {
    QString path = text(udev_device_get_devnode(node));
    if (path.isEmpty()) {
        path = QStringLiteral("/dev/") + text(udev_device_get_sysname(node));
    }
    return path;
}

} // namespace platform
