#pragma once
// The video node (/dev/videoN) that the kernel's video driver makes for a simulated camera:
// answers VIDIOC_QUERYCAP, the control ioctls and UVCIOC_CTRL_QUERY through a
// SimulatedVideoDriver; while the camera is unplugged every ioctl fails with ENODEV.

#include "support/IoctlNode.h"
#include "support/SimulatedVideoDriver.h"

#include <atomic>
#include <mutex>
#include <string>

namespace sim {

class VideoDeviceNode : public IoctlNode {
public:
    VideoDeviceNode(std::shared_ptr<SimulatedControlEndpoint> endpoint, std::string card,
                    std::string busInfo);

    void connect();
    void disconnect();

    void opened(_UMockdevIoctlClient* client) override;
    void handle(_UMockdevIoctlClient* client) override;

private:
    int answer(_UMockdevIoctlClient* client, unsigned long request);
    int capabilities(_UMockdevIoctlClient* client);
    int extendedControls(_UMockdevIoctlClient* client, unsigned long request);
    int extensionUnit(_UMockdevIoctlClient* client);

    std::mutex mutex;
    SimulatedVideoDriver driver;
    const std::string card;
    const std::string busInfo;
    bool plugged = false;
};

} // namespace sim
