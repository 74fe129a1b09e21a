#include "support/SimulatedUsbDevice.h"

#include "support/SimulatedControlEndpoint.h"
#include "support/SimulatedTestbed.h"
#include "support/SimulatedVideoDriver.h"
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
                          {identity.manufacturer, identity.product, identity.serial,
                           identity.function, identity.controlInterface});
}

// Children before parents, as the kernel removes them; a hub the device sits behind last.
std::vector<std::string> sysfsPathsToRemove(const UsbDeviceIdentity& identity) {
    std::vector<std::string> paths{identity.metadataSysfsPath(), identity.videoSysfsPath(),
                                   identity.sysfsPath() + "/" + identity.interfaceName(1),
                                   identity.sysfsPath() + "/" + identity.interfaceName(0),
                                   identity.sysfsPath()};
    if (identity.hubPort != 0)
        paths.push_back(identity.hubSysfsPath());
    return paths;
}

} // namespace

SimulatedUsbDevice::SimulatedUsbDevice(std::shared_ptr<SimulatedTestbed> testbed,
                                       UsbDeviceIdentity identity, SimulatedControlModel model)
    : testbed(std::move(testbed))
    , id(std::move(identity))
    , controlEndpoint(
          std::make_shared<SimulatedControlEndpoint>(descriptorsOf(id), std::move(model)))
    , node(std::make_shared<UsbDeviceNode>(controlEndpoint))
    , handler(std::make_unique<UsbIoctlHandler>(this->testbed, id.devnode(), node))
    , driver(std::make_shared<SimulatedVideoDriver>(controlEndpoint)) {}

SimulatedUsbDevice::~SimulatedUsbDevice() {
    unplug();
}

void SimulatedUsbDevice::plug() {
    if (plugged)
        return;
    node->connect();
    if (videoNode) {
        driver->probe();
        videoNode->connect();
        metadataNode->connect();
        // Kept over an unplug: the files opened on the nodes before it stay theirs to answer.
        if (!videoHandler || videoHandler->path() != "/dev/" + id.videoName()) {
            videoHandler.reset();
            metadataHandler.reset();
            videoHandler =
                std::make_unique<UsbIoctlHandler>(testbed, "/dev/" + id.videoName(), videoNode);
            metadataHandler = std::make_unique<UsbIoctlHandler>(
                testbed, "/dev/" + id.metadataName(), metadataNode);
        }
    }
    if (id.hubPort != 0)
        testbed->add(UsbSysfsRecord::hubText(id)); // the hub comes first, as the kernel adds it
    const auto shown = !driverBound ? UsbSysfsRecord::VideoNode::file
                       : videoNode  ? UsbSysfsRecord::VideoNode::answered
                                    : UsbSysfsRecord::VideoNode::none;
    const UsbDescriptors descriptors = controlEndpoint->descriptorSet();
    testbed->add(UsbSysfsRecord(id, descriptors.sysfsDescriptors(), descriptors.videoNodeName(),
                                shown, binding.udevCapabilities)
                     .text());
    if (shown == UsbSysfsRecord::VideoNode::answered) {
        linkVideoNumbers(id.videoName(), id.videoSysfsPath(), true);
        linkVideoNumbers(id.metadataName(), id.metadataSysfsPath(), true);
    }
    plugged = true;
}

// A node of the driver as V4L2 clients identify it: its device numbers on the node, and
// /sys/dev/char leading from them to the node's sysfs entry.
void SimulatedUsbDevice::linkVideoNumbers(const std::string& name, const std::string& sysfsPath,
                                          bool present) const {
    namespace fs = std::filesystem;
    const fs::path root = testbed->rootDir();
    const std::string numbers = "81:" + name.substr(std::string_view("video").size());
    const fs::path node = root / "dev/.node" / name;
    const fs::path byNumber = root / "sys/dev/char" / numbers;
    std::error_code ignored;
    fs::remove(node, ignored);
    fs::remove(byNumber, ignored);
    if (!present)
        return;
    fs::create_directories(node.parent_path());
    fs::create_directories(byNumber.parent_path());
    fs::create_symlink(numbers, node);
    fs::create_symlink("../../.." + sysfsPath, byNumber);
}

void SimulatedUsbDevice::unplug() {
    if (!plugged)
        return;
    node->disconnect();
    if (videoNode) {
        videoNode->disconnect();
        metadataNode->disconnect();
    }
    std::vector<std::string> paths = sysfsPathsToRemove(id);
    if (!videoNode)
        paths.erase(paths.begin()); // no metadata node
    if (driverBound && !videoNode)
        paths.erase(paths.begin());
    // The uevents read each device's properties from sysfs: send them all before removing.
    for (const std::string& path : paths)
        testbed->uevent(path, "remove");
    for (const std::string& path : paths)
        testbed->remove(path);
    linkVideoNumbers(id.videoName(), id.videoSysfsPath(), false);
    linkVideoNumbers(id.metadataName(), id.metadataSysfsPath(), false);
    plugged = false;
}

bool SimulatedUsbDevice::isPlugged() const {
    return plugged;
}

void SimulatedUsbDevice::bindDriver(DriverBinding how) {
    if (plugged || driverBound)
        throw std::logic_error("the driver is bound once, while the camera is unplugged");
    driverBound = true;
    binding = how;
    node->bindDriver();
    if (how.videoNodes) {
        const std::string busInfo = "usb-0000:00:14.0-" + id.portPath();
        videoNode =
            std::make_shared<VideoDeviceNode>(driver, VideoDeviceNode::Kind::capture, busInfo);
        metadataNode =
            std::make_shared<VideoDeviceNode>(driver, VideoDeviceNode::Kind::metadata, busInfo);
    }
}

void SimulatedUsbDevice::requireUnplugged() const {
    if (plugged)
        throw std::logic_error("only while the camera is unplugged");
}

void SimulatedUsbDevice::numberVideoNodes(int capture, int metadata) {
    requireUnplugged();
    id.videoIndex = capture;
    id.metadataIndex = metadata;
}

std::chrono::milliseconds SimulatedUsbDevice::driverTimeout() const {
    return driver->timeout();
}

void SimulatedUsbDevice::setDriverTimeout(std::chrono::milliseconds timeout) {
    driver->setTimeout(timeout);
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
