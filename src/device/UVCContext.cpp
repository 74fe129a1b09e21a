#include "device/UVCContext.h"

#include "device/UVCDevice.h"
#include "platform/core/FatalError.h"

#include <libuvc/libuvc.h>

namespace device {

UVCContext& UVCContext::shared() {
    // Never deleted: the context lives until the process ends.
    static UVCContext* const instance = new UVCContext();
    return *instance;
}

uvc_context* UVCContext::context() const {
    return libuvcContext;
}

std::shared_ptr<UVCDevice> UVCContext::findDevice(int vid, int pid) {
    return findDevice(vid, pid, std::nullopt);
}

std::shared_ptr<UVCDevice>
UVCContext::findDevice(int vid, int pid, const std::optional<platform::UsbLocation>& location) {
    uvc_device_t* found = nullptr;
    if (uvc_find_device(libuvcContext, &found, vid, pid, nullptr) != UVC_SUCCESS ||
        found == nullptr) {
        return nullptr;
    }
    // The found device only decides whether a camera is opened; it is released afterwards.
    const std::unique_ptr<uvc_device_t, decltype(&uvc_unref_device)> owned(found,
                                                                           &uvc_unref_device);
    return UVCDevice::open(owned.get(), location);
}

UVCContext::UVCContext() {
    if (uvc_init(&libuvcContext, nullptr) != UVC_SUCCESS || libuvcContext == nullptr) {
        platform::fatalError({});
    }
}

UVCContext::~UVCContext() {
    uvc_exit(libuvcContext);
}

} // namespace device
