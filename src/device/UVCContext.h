#pragma once
// The process-wide libuvc context, used only to look cameras up. Made on first use, safely when
// threads arrive at once; it lives until the process ends.

#include "platform/core/UsbLocation.h"

#include <memory>
#include <optional>

struct uvc_context; // libuvc is included by the .cpp files only

namespace device {

class UVCDevice;

class UVCContext {
public:
    // The one context of the process; the process stops when it cannot be made.
    static UVCContext& shared();

    uvc_context* context() const;

    // The opened camera when libuvc finds a video-class device with these IDs (0 matches any),
    // else nothing. The camera opened is the one plugged in at `location`, none when none is
    // there; without a location, the one attached, and none of several.
    std::shared_ptr<UVCDevice> findDevice(int vid, int pid);
    std::shared_ptr<UVCDevice> findDevice(int vid, int pid,
                                          const std::optional<platform::UsbLocation>& location);

    UVCContext(const UVCContext&) = delete;
    UVCContext& operator=(const UVCContext&) = delete;

private:
    UVCContext();
    ~UVCContext();

    uvc_context* libuvcContext = nullptr;
};

} // namespace device
