#pragma once
// Where a USB device is plugged in: its bus and the ports from the root hub down to it. Stable
// while the device stays in its port, and tells apart two devices of the same model.

#include <cstdint>
#include <vector>

namespace platform {

struct UsbLocation {
    unsigned busNumber = 0;
    std::vector<uint8_t> portNumbers; // root hub's port first, e.g. {1, 3} for 1-1.3

    bool operator==(const UsbLocation&) const = default;
};

} // namespace platform
