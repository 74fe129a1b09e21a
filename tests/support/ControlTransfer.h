#pragma once
// One control transfer a simulated camera saw: the setup fields, the data moved and the result.

#include <cstdint>
#include <optional>
#include <vector>

namespace sim {

// How the request reached the camera: through usbfs, or through the kernel's video driver on
// behalf of an ioctl on the video node (logged as the request the driver sends).
enum class TransferRoute { usbfs, videoNode };

// Logged in the order the camera saw the transfers.
struct ControlTransfer {
    uint8_t bmRequestType = 0;
    uint8_t bRequest = 0;
    uint16_t wValue = 0;
    uint16_t wIndex = 0;
    uint16_t wLength = 0;
    std::vector<uint8_t> data{}; // payload sent (OUT) or answered (IN)
    int result = 0; // bytes moved, or -errno of the fault (-EPIPE, -ENODEV, -ETIMEDOUT)
    TransferRoute route = TransferRoute::usbfs;
    // The timeout in milliseconds libusb gave a transfer it submitted through usbfs (libusb
    // keeps it to itself: the kernel never sees it); none when the driver sent the request.
    std::optional<unsigned> timeoutMs{};

    uint8_t unit() const { return static_cast<uint8_t>(wIndex >> 8); }
    uint8_t selector() const { return static_cast<uint8_t>(wValue >> 8); }
};

} // namespace sim
