#include "support/SimulatedUsbDevice.h"

#include "support/SimulatedControlEndpoint.h"
#include "support/SimulatedTestbed.h"
#include "support/UsbDeviceNode.h"
#include "support/UsbIoctlHandler.h"
#include "support/UsbSysfsRecord.h"

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
    testbed->add(UsbSysfsRecord(id, descriptorsOf(id).sysfsDescriptors()).text());
    plugged = true;
}

void SimulatedUsbDevice::unplug() {
    if (!plugged)
        return;
    node->disconnect();
    std::vector<std::string> paths = sysfsPathsToRemove(id);
    // The uevents read each device's properties from sysfs: send them all before removing.
    for (const std::string& path : paths)
        testbed->uevent(path, "remove");
    for (const std::string& path : paths)
        testbed->remove(path);
    plugged = false;
}

bool SimulatedUsbDevice::isPlugged() const {
    return plugged;
}

const UsbDeviceIdentity& SimulatedUsbDevice::identity() const {
    return id;
}

SimulatedControlEndpoint& SimulatedUsbDevice::endpoint() const {
    return *controlEndpoint;
}

} // namespace sim
