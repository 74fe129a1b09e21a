#pragma once
// The request through the kernel's video driver, for a camera whose control interface the
// driver holds: the vendor unit through the driver's extension-unit query, the other units
// through the V4L2 controls the driver maps them to, with the same bytes as on the wire.

#include "device/UVCTransport.h"

#include <string>

namespace device {

class UVCVideoControl;

class VideoNodeTransport : public UVCTransport {
public:
    // Opens the node at `path`; with no path every request fails with LIBUSB_ERROR_NOT_FOUND,
    // with a node that cannot be opened with the error of the opening (ACCESS, say).
    explicit VideoNodeTransport(const std::string& path);
    ~VideoNodeTransport() override;
    VideoNodeTransport(const VideoNodeTransport&) = delete;
    VideoNodeTransport& operator=(const VideoNodeTransport&) = delete;

    int send(const UVCRequest& request, std::span<uint8_t> data) override;

    // The libusb error code that stands for the driver's errno:
    //   ENODEV, ENXIO, ESHUTDOWN, EHOSTUNREACH -> NO_DEVICE   ETIMEDOUT -> TIMEOUT
    //   EPIPE -> PIPE   EIO, EPROTO, EREMOTE, EILSEQ -> IO   EACCES, EPERM -> ACCESS
    //   EBUSY -> BUSY   ENOENT, ENOTTY, EBADRQC -> NOT_SUPPORTED
    //   EINVAL, ERANGE, ENOBUFS -> INVALID_PARAM
    //   ENOMEM -> NO_MEM  EOVERFLOW -> OVERFLOW  anything else -> OTHER (EINTR is retried)
    static int libusbError(int error);

private:
    int queryExtensionUnit(const UVCRequest& request, std::span<uint8_t> data);
    int readCurrent(const UVCVideoControl& control, std::span<uint8_t> data);
    int readLimit(const UVCVideoControl& control, uint8_t request, std::span<uint8_t> data);
    int writeCurrent(const UVCVideoControl& control, std::span<const uint8_t> data);
    // ioctl on the node, repeated when interrupted: its result, negative with errno set when it
    // fails.
    int control(unsigned long request, void* argument);

    int fd = -1;
    int openError = -5; // LIBUSB_ERROR_NOT_FOUND: no node was named
};

} // namespace device
