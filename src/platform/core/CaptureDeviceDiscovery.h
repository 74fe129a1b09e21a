#pragma once
// Lists the external video capture devices present now: video4linux capture nodes of USB
// devices, read through libudev.

#include "platform/core/CaptureDevice.h"

#include <optional>
#include <vector>

struct udev_device;

namespace platform {

class CaptureDeviceDiscovery {
public:
    // The capture devices present now, ordered by node (video0, video1, ..., video10).
    static std::vector<CaptureDevice> devices();

    // The capture device a video4linux node stands for, or none when the node cannot capture
    // or does not belong to a USB device.
    static std::optional<CaptureDevice> captureDevice(udev_device* node);

    // Whether a video4linux node captures video: udev's answer (":capture:" among its
    // capabilities), else the node's own (VIDIOC_QUERYCAP); a node that tells nothing is taken
    // as capturing.
    static bool canCapture(udev_device* node);

    // The device node of a video4linux node, e.g. "/dev/video0"; known for removed nodes too.
    static QString nodePath(udev_device* node);
};

} // namespace platform
