#include "support/SimulatedUsbDevice.h"

#include "support/SimulatedControlEndpoint.h"
#include "support/SimulatedTestbed.h"
#include "support/UsbDeviceNode.h"
#include "support/UsbIoctlHandler.h"
#include "support/UsbSysfsRecord.h"
#include "support/VideoDeviceNode.h"

#include <filesystem>
#include <stdexcept>

#include <vector>

namespace sim {

namespace {

UsbDescriptors descriptorsOf(const UsbDeviceIdentity& identity) {
    return UsbDescriptors(identity.vendorId, identity.productId,
                          {identity.manufacturer, identity.product, identity.serial});
}

// Children before parents, as the kernel removes them.
std::vector<std::string> sysfsPathsToRemove(const UsbDeviceIdentity& identity) {
    return {identity.videoSysfsPath(), identity.sysfsPath() + "/" + identity.interfaceName(1),
            identity.sysfsPath() + "/" + identity.interfaceName(0), identity.sysfsPath()};
}

} // namespace

SimulatedUsbDevice::SimulatedUsbDevice(std::shared_ptr<SimulatedTestbed> testbed,
                                       UsbDeviceIdentity identity, SimulatedControlModel model)
    : testbed(std::move(testbed))
    , id(std::move(identity))
    , controlEndpoint(
          std::make_shared<SimulatedControlEndpoint>(descriptorsOf(id), std::move(model)))
    , node(std::make_shared<UsbDeviceNode>(controlEndpoint))
    , handler(std::make_unique<UsbIoctlHandler>(this->testbed, id.devnode(), node)) {}

SimulatedUsbDevice::~SimulatedUsbDevice() {
    unplug();
}

void SimulatedUsbDevice::plug() {
    if (plugged)
        return;
    node->connect();
    if (videoNode) {
        videoNode->connect();
        videoHandler =
            std::make_unique<UsbIoctlHandler>(testbed, "/dev/" + id.videoName(), videoNode);
    }
    const auto shown = !driverBound ? UsbSysfsRecord::VideoNode::file
                       : videoNode  ? UsbSysfsRecord::VideoNode::answered
                                    : UsbSysfsRecord::VideoNode::none;
    testbed->add(UsbSysfsRecord(id, descriptorsOf(id).sysfsDescriptors(), shown).text());
    if (shown == UsbSysfsRecord::VideoNode::answered)
        linkVideoNumbers(true);
    plugged = true;
}

// The driver's node as V4L2 clients identify it: its device numbers on the node, and
// /sys/dev/char leading from them to the node's sysfs entry.
void SimulatedUsbDevice::linkVideoNumbers(bool present) const {
    namespace fs = std::filesystem;
    const fs::path root = testbed->rootDir();
    const std::string numbers = "81:" + id.videoName().substr(std::string_view("video").size());
    const fs::path node = root / "dev/.node" / id.videoName();
    const fs::path byNumber = root / "sys/dev/char" / numbers;
    std::error_code ignored;
    fs::remove(node, ignored);
    fs::remove(byNumber, ignored);
    if (!present)
        return;
    fs::create_directories(node.parent_path());
    fs::create_directories(byNumber.parent_path());
    fs::create_symlink(numbers, node);
    fs::create_symlink("../../.." + id.videoSysfsPath(), byNumber);
}

void SimulatedUsbDevice::unplug() {
    if (!plugged)
        return;
    node->disconnect();
    if (videoNode)
        videoNode->disconnect();
    std::vector<std::string> paths = sysfsPathsToRemove(id);
    if (driverBound && !videoNode)
        paths.erase(paths.begin());
    // The uevents read each device's properties from sysfs: send them all before removing.
    for (const std::string& path : paths)
        testbed->uevent(path, "remove");
    for (const std::string& path : paths)
        testbed->remove(path);
    linkVideoNumbers(false);
    videoHandler.reset();
    plugged = false;
}

bool SimulatedUsbDevice::isPlugged() const {
    return plugged;
}

void SimulatedUsbDevice::bindDriver(bool withNode) {
    if (plugged || driverBound)
        throw std::logic_error("the driver is bound once, while the camera is unplugged");
    driverBound = true;
    node->bindDriver();
    if (withNode) {
        videoNode = std::make_shared<VideoDeviceNode>(
            controlEndpoint, id.product, "usb-0000:00:14.0-" + std::to_string(id.port));
    }
}

int SimulatedUsbDevice::driverDetachments() const {
    return node->detachments();
}

const UsbDeviceIdentity& SimulatedUsbDevice::identity() const {
    return id;
}

SimulatedControlEndpoint& SimulatedUsbDevice::endpoint() const {
    return *controlEndpoint;
}

} // namespace sim
