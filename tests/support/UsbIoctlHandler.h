#pragma once
// umockdev's ioctl handler for one device node path: while it exists, the ioctls on files
// opened at that path are answered by an IoctlNode on umockdev's thread.

#include <memory>
#include <string>

struct _UMockdevIoctlBase;

namespace sim {

class SimulatedTestbed;
class IoctlNode;

class UsbIoctlHandler {
public:
    UsbIoctlHandler(std::shared_ptr<SimulatedTestbed> testbed, std::string devnode,
                    const std::shared_ptr<IoctlNode>& node);
    ~UsbIoctlHandler();
    UsbIoctlHandler(const UsbIoctlHandler&) = delete;
    UsbIoctlHandler& operator=(const UsbIoctlHandler&) = delete;

    // The device node it answers for.
    const std::string& path() const { return devnode; }

private:
    const std::shared_ptr<SimulatedTestbed> testbed;
    const std::string devnode;
    _UMockdevIoctlBase* handler;
    unsigned long ioctlSignal;
    unsigned long connectedSignal;
};

} // namespace sim
