#pragma once
// One control transfer a simulated camera saw: the setup fields, the data moved and the result.

#include <cstdint>
#include <vector>

namespace sim {

// Logged in the order the camera saw the transfers.
struct ControlTransfer {
    uint8_t bmRequestType = 0;
    uint8_t bRequest = 0;
    uint16_t wValue = 0;
    uint16_t wIndex = 0;
    uint16_t wLength = 0;
    std::vector<uint8_t> data{}; // payload sent (OUT) or answered (IN)
    int result = 0; // bytes moved, or -errno of the fault (-EPIPE, -ENODEV, -ETIMEDOUT)

    uint8_t unit() const { return static_cast<uint8_t>(wIndex >> 8); }
    uint8_t selector() const { return static_cast<uint8_t>(wValue >> 8); }
};

} // namespace sim
