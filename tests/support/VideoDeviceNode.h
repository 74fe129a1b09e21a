#pragma once
// A video node (/dev/videoN) that the kernel's video driver makes for a simulated camera. The
// capture node answers VIDIOC_QUERYCAP, the control ioctls and UVCIOC_CTRL_QUERY through the
// camera's SimulatedVideoDriver; the metadata node beside it (since 4.16) answers QUERYCAP with
// metadata capture only and every control ioctl with ENOTTY. A file opened before an unplug
// belongs to a device that has gone: its every ioctl fails with ENODEV, also after a re-plug, as
// V4L2 answers on a node whose device was unregistered.

#include "support/IoctlNode.h"
#include "support/SimulatedVideoDriver.h"

#include <atomic>
#include <list>
#include <mutex>
#include <string>

namespace sim {

class VideoDeviceNode : public IoctlNode {
public:
    enum class Kind { capture, metadata };

    // The nodes of one camera share its driver.
    VideoDeviceNode(std::shared_ptr<SimulatedVideoDriver> driver, Kind kind, std::string busInfo);
    ~VideoDeviceNode() override;

    void connect();
    void disconnect();

    void opened(_UMockdevIoctlClient* client) override;
    void handle(_UMockdevIoctlClient* client) override;

private:
    // One file opened on the node: a weak reference to its client and the plug it was opened in.
    struct OpenFile;
    bool isOfThisPlug(_UMockdevIoctlClient* client);
    // 0 or an errno.
    int answer(_UMockdevIoctlClient* client, unsigned long request);
    int capabilities(_UMockdevIoctlClient* client);
    int extendedControls(_UMockdevIoctlClient* client, unsigned long request);
    int extensionUnit(_UMockdevIoctlClient* client);

    std::mutex mutex;
    const std::shared_ptr<SimulatedVideoDriver> driver;
    const Kind kind;
    const std::string busInfo;
    std::list<OpenFile> files;
    unsigned generation = 0;
    bool plugged = false;
};

} // namespace sim
