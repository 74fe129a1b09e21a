#pragma once
// The video capture node that the kernel's video driver made for a USB device, found through
// udev by the device's bus number and address.

#include <optional>
#include <string>

namespace platform {

class UsbCaptureNode {
public:
    // The device node (/dev/videoN) of the first video4linux child of the USB device at
    // `busNumber`/`deviceAddress` whose own VIDIOC_QUERYCAP names video capture among its
    // device capabilities; nothing when there is none.
    static std::optional<std::string> find(unsigned busNumber, unsigned deviceAddress);
};

} // namespace platform
