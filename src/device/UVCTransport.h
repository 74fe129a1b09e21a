#pragma once
// The road of one class request to the camera: chosen when the camera is opened, the same for
// every request of the device. Answers bytes moved, or a negative libusb error code.

#include "device/UVCRequest.h"

#include <cstdint>
#include <memory>
#include <span>

struct libusb_device_handle; // libusb itself is included only by the .cpp files

namespace device {

class UVCTransport {
public:
    virtual ~UVCTransport() = default;

    // Sends `request` with `data` as its data stage (wLength is the size of `data`).
    virtual int send(const UVCRequest& request, std::span<uint8_t> data) = 0;

    // libusb's control transfer on `handle` when no kernel driver holds interface 0, else the
    // video node of the driver that holds it. Chooses silently; never detaches or claims.
    static std::unique_ptr<UVCTransport> forHandle(libusb_device_handle* handle);
};

} // namespace device
