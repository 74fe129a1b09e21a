#include "support/UsbSysfsRecord.h"

#include "support/UsbDeviceIdentity.h"

#include <cstdio>
#include <sstream>

namespace sim {

namespace {

std::string hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*x", digits, value);
    return text;
}

std::string padded(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%03d", number);
    return text;
}

std::string tag(std::string path) {
    for (char& c : path) {
        if (c == ':' || c == '.')
            c = '_';
    }
    return path;
}

std::string underscored(std::string text) {
    for (char& c : text) {
        if (c == ' ')
            c = '_';
    }
    return text;
}

// A hub's device and configuration descriptors: class 9, one interface with its interrupt
// endpoint.
constexpr uint8_t hubDescriptors[] = {
    0x12, 0x01, 0x00, 0x02, 0x09, 0x00, 0x01, 0x40, 0xE3, 0x05, 0x08, 0x06, 0x60, 0x60, 0x00,
    0x01, 0x00, 0x01, 0x09, 0x02, 0x19, 0x00, 0x01, 0x01, 0x00, 0xE0, 0x32, 0x09, 0x04, 0x00,
    0x00, 0x01, 0x09, 0x00, 0x00, 0x00, 0x07, 0x05, 0x81, 0x03, 0x01, 0x00, 0x0C,
};

} // namespace

UsbSysfsRecord::UsbSysfsRecord(const UsbDeviceIdentity& identity, std::vector<uint8_t> descriptors,
                               std::string nodeName, VideoNode node, bool udevCapabilities)
    : identity(identity)
    , descriptors(std::move(descriptors))
    , nodeName(std::move(nodeName))
    , node(node)
    , udevCapabilities(udevCapabilities) {}

std::string UsbSysfsRecord::text() const {
    const std::string interfaces = device() + "\n" + interface(0, 1) + "\n" + interface(1, 2);
    if (node == VideoNode::none)
        return interfaces;
    const std::string capture =
        videoNode(identity.videoName(), identity.videoSysfsPath(), ":capture:");
    if (node == VideoNode::file)
        return interfaces + "\n" + capture;
    return interfaces + "\n" + capture + "\n" +
           videoNode(identity.metadataName(), identity.metadataSysfsPath(), ":");
}

std::string UsbSysfsRecord::common() const {
    std::ostringstream out;
    out << "E: ID_VENDOR=" << underscored(identity.manufacturer) << "\n"
        << "E: ID_VENDOR_ID=" << hex(identity.vendorId, 4) << "\n"
        << "E: ID_MODEL=" << underscored(identity.product) << "\n"
        << "E: ID_MODEL_ID=" << hex(identity.productId, 4) << "\n"
        << "E: ID_REVISION=0100\n"
        << "E: ID_SERIAL=" << underscored(identity.manufacturer + "_" + identity.product) << "_"
        << identity.serial << "\n"
        << "E: ID_SERIAL_SHORT=" << identity.serial << "\n"
        << "E: ID_BUS=usb\n"
        << "E: ID_USB_INTERFACES=:0e0100:0e0200:\n";
    return out.str();
}

std::string UsbSysfsRecord::device() const {
    std::ostringstream out;
    std::string product = hex(identity.vendorId, 1) + "/" + hex(identity.productId, 1) + "/100";
    out << "P: " << identity.sysfsPath().substr(4) << "\n"
        << "N: " << identity.devnode().substr(5) << "\n"
        << "E: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DRIVER=usb\n"
        << "E: DEVNAME=" << identity.devnode() << "\n"
        << "E: BUSNUM=001\nE: DEVNUM=" << padded(identity.deviceNumber) << "\n"
        << "E: PRODUCT=" << product << "\nE: TYPE=239/2/1\n"
        << common() << "E: ID_PATH=" << identity.idPath() << "\n"
        << "E: ID_PATH_TAG=" << tag(identity.idPath()) << "\n"
        << "A: idVendor=" << hex(identity.vendorId, 4) << "\\n\n"
        << "A: idProduct=" << hex(identity.productId, 4) << "\\n\n"
        << "A: bcdDevice=0100\\n\nA: bDeviceClass=ef\\n\nA: bNumConfigurations=1\\n\n"
        << "A: bNumInterfaces= 2\\n\nA: bConfigurationValue=1\\n\nA: speed=480\\n\n"
        << "A: busnum=1\\n\nA: devnum=" << identity.deviceNumber << "\\n\n"
        << "A: devpath=" << identity.portPath() << "\\n\n"
        << "A: manufacturer=" << identity.manufacturer << "\\n\n"
        << "A: serial=" << identity.serial << "\\n\n";
    if (!identity.product.empty()) // the kernel shows no product it could not read
        out << "A: product=" << identity.product << "\\n\n";
    out << "H: descriptors=";
    for (uint8_t byte : descriptors)
        out << hex(byte, 2);
    out << "\n";
    return out.str();
}

std::string UsbSysfsRecord::interface(int number, int subclass) const {
    std::ostringstream out;
    std::string idPath = identity.idPath() + ":1." + std::to_string(number);
    out << "P: " << identity.sysfsPath().substr(4) << "/" << identity.interfaceName(number) << "\n"
        << "E: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nE: DRIVER=uvcvideo\n"
        << "E: INTERFACE=14/" << subclass << "/0\n"
        << common() << "E: ID_PATH=" << idPath << "\nE: ID_PATH_TAG=" << tag(idPath) << "\n"
        << "A: bInterfaceNumber=0" << number << "\\n\nA: bAlternateSetting= 0\\n\n"
        << "A: bInterfaceClass=0e\\n\nA: bInterfaceSubClass=0" << subclass << "\\n\n"
        << "A: bInterfaceProtocol=00\\n\nA: bNumEndpoints=0" << (number == 1 ? 1 : 0) << "\\n\n";
    return out.str();
}

// udev's v4l_id writes ":capture:" for a capture node and ":" for the metadata node.
std::string UsbSysfsRecord::videoNode(const std::string& name, const std::string& sysfsPath,
                                      const char* capabilities) const {
    std::ostringstream out;
    std::string idPath = identity.idPath() + ":1.0";
    // Video nodes have major 81; the minor is the node's number, as the driver numbers them.
    const std::string minor = name.substr(std::string_view("video").size());
    // The node is a plain file either way: umockdev keeps the terminal it makes for a node
    // without contents for the testbed's life, and would refuse the node on a re-plug.
    out << "P: " << sysfsPath.substr(4) << "\n"
        << "N: " << name << "=00\n"
        << "E: SUBSYSTEM=video4linux\n"
        << "E: DEVNAME=" << name << "\n"
        << "E: MAJOR=81\nE: MINOR=" << minor << "\n"
        << "A: dev=81:" << minor << "\\n\n"
        << common() << "E: ID_PATH=" << idPath << "\nE: ID_PATH_TAG=" << tag(idPath) << "\n";
    if (udevCapabilities) {
        out << "E: ID_V4L_VERSION=2\nE: ID_V4L_CAPABILITIES=" << capabilities << "\n"
            << "E: ID_V4L_PRODUCT=" << nodeName << "\n";
    }
    out << "A: name=" << nodeName << "\\n\n"
        << "A: index=" << (name == identity.videoName() ? 0 : 1) << "\\n\n";
    return out.str();
}

std::string UsbSysfsRecord::hubText(const UsbDeviceIdentity& identity) {
    std::string descriptors; // upper-case: umockdev takes a node's contents in no other form
    for (uint8_t byte : hubDescriptors) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", byte);
        descriptors += digits;
    }
    const std::string idPath = "pci-0000:00:14.0-usb-0:" + std::to_string(identity.hubPort);
    std::ostringstream out;
    out << "P: " << identity.hubSysfsPath().substr(4) << "\n"
        << "N: " << identity.hubDevnode().substr(5) << "=" << descriptors << "\n"
        << "E: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DRIVER=usb\n"
        << "E: DEVNAME=" << identity.hubDevnode() << "\n"
        << "E: BUSNUM=001\nE: DEVNUM=" << padded(identity.hubDeviceNumber) << "\n"
        << "E: PRODUCT=5e3/608/6060\nE: TYPE=9/0/1\n"
        << "E: ID_PATH=" << idPath << "\nE: ID_PATH_TAG=" << tag(idPath) << "\n"
        << "A: idVendor=05e3\\n\nA: idProduct=0608\\n\nA: bcdDevice=6060\\n\n"
        << "A: bDeviceClass=09\\n\nA: bNumConfigurations=1\\n\nA: bNumInterfaces= 1\\n\n"
        << "A: bConfigurationValue=1\\n\nA: maxchild=4\\n\nA: speed=480\\n\n"
        << "A: busnum=1\\n\nA: devnum=" << identity.hubDeviceNumber << "\\n\n"
        << "A: devpath=" << identity.hubPort << "\\n\nA: product=USB2.0 Hub\\n\n"
        << "H: descriptors=" << descriptors << "\n";
    return out.str();
}

} // namespace sim
