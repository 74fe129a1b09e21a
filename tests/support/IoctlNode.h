#pragma once
// A simulated device node whose ioctls umockdev hands over: told of every file opened on it,
// asked to answer and complete each ioctl. Called on umockdev's thread.

struct _UMockdevIoctlClient;

namespace sim {

class IoctlNode {
public:
    virtual ~IoctlNode() = default;
    virtual void opened(_UMockdevIoctlClient* client) = 0;
    virtual void handle(_UMockdevIoctlClient* client) = 0;
};

} // namespace sim
