#pragma once
// The usbfs node of one simulated device (/dev/bus/usb/BBB/DDD): answers the ioctls of every
// file opened on it, with one URB queue per open file.

#include "support/UsbUrbQueue.h"

#include <list>
#include <memory>
#include <mutex>

struct _UMockdevIoctlClient; // umockdev and glib are included only by UsbDeviceNode.cpp

namespace sim {

class SimulatedControlEndpoint;

// Control URBs go to the device's endpoint 0. Files opened before an unplug fail with ENODEV
// for good, also after a re-plug. Called on umockdev's thread; plug state changes come from
// the test thread.
class UsbDeviceNode {
public:
    explicit UsbDeviceNode(std::shared_ptr<SimulatedControlEndpoint> endpoint);
    ~UsbDeviceNode();
    UsbDeviceNode(const UsbDeviceNode&) = delete;
    UsbDeviceNode& operator=(const UsbDeviceNode&) = delete;

    void connect();
    void disconnect();

    void opened(_UMockdevIoctlClient* client);
    // Answers one ioctl and completes it.
    void handle(_UMockdevIoctlClient* client);

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

    const std::shared_ptr<SimulatedControlEndpoint> endpoint;
    std::mutex mutex;
    std::list<OpenFile> files;
    unsigned generation = 0;
    bool plugged = false;
};

} // namespace sim
