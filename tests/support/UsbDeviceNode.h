#pragma once
// The usbfs node of one simulated device (/dev/bus/usb/BBB/DDD): answers the ioctls of every
// file opened on it, with one URB queue per open file.

#include "support/IoctlNode.h"
#include "support/UsbUrbQueue.h"

#include <list>
#include <memory>
#include <mutex>

namespace sim {

class SimulatedControlEndpoint;

// Control URBs go to the device's endpoint 0. Files opened before an unplug fail with ENODEV
// for good, also after a re-plug. Called on umockdev's thread; plug state changes come from
// the test thread. While the kernel's video driver is bound, usbfs answers as it does for a
// bound interface: GETDRIVER names the driver, claiming and interface-recipient requests are
// refused with EBUSY, and a detach is counted.
class UsbDeviceNode : public IoctlNode {
public:
    explicit UsbDeviceNode(std::shared_ptr<SimulatedControlEndpoint> endpoint);
    ~UsbDeviceNode();
    UsbDeviceNode(const UsbDeviceNode&) = delete;
    UsbDeviceNode& operator=(const UsbDeviceNode&) = delete;

    void connect();
    void disconnect();
    void bindDriver();
    int detachments() const;

    void opened(_UMockdevIoctlClient* client) override;
    // Answers one ioctl and completes it.
    void handle(_UMockdevIoctlClient* client) override;

private:
    // One file opened on the node: a weak reference to its client, the device generation it
    // was opened in and its URBs.
    struct OpenFile;

    OpenFile& file(_UMockdevIoctlClient* client);
    void answer(_UMockdevIoctlClient* client, OpenFile& file);
    void answerGone(_UMockdevIoctlClient* client, OpenFile& file);
    void submit(_UMockdevIoctlClient* client, OpenFile& file);
    void reap(_UMockdevIoctlClient* client, UsbUrbQueue::Urb urb);
    void discard(_UMockdevIoctlClient* client, OpenFile& file);
    void answerDriver(_UMockdevIoctlClient* client);
    void detach(_UMockdevIoctlClient* client);
    bool refusedByDriver(const uint8_t* setup) const;

    const std::shared_ptr<SimulatedControlEndpoint> endpoint;
    mutable std::mutex mutex;
    std::list<OpenFile> files;
    unsigned generation = 0;
    bool plugged = false;
    bool driverBound = false;
    int detachCount = 0;
};

} // namespace sim
