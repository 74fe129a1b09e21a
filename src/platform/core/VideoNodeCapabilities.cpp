#include "platform/core/VideoNodeCapabilities.h"

#include <fcntl.h>
#include <linux/videodev2.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace platform {

std::optional<bool> VideoNodeCapabilities::capturesVideo(const std::string& devnode) {
    // Asking needs no more than reading: a node this user may not write still answers.
    const int fd = ::open(devnode.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    v4l2_capability capability{};
    int result = 0;
    do {
        result = ::ioctl(fd, VIDIOC_QUERYCAP, &capability);
    } while (result < 0 && errno == EINTR);
    ::close(fd);
    if (result < 0) {
        return false;
    }
    const uint32_t caps = (capability.capabilities & V4L2_CAP_DEVICE_CAPS) != 0
                              ? capability.device_caps
                              : capability.capabilities;
    return (caps & (V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_VIDEO_CAPTURE_MPLANE)) != 0;
}

} // namespace platform
