#pragma once
// The request as a synchronous libusb control transfer on the camera's device handle, for a
// camera whose control interface no kernel driver holds.

#include "device/UVCTransport.h"

#include <chrono>

namespace device {

class UsbControlTransport : public UVCTransport {
public:
    static constexpr std::chrono::milliseconds timeout{1000};

    explicit UsbControlTransport(libusb_device_handle* handle);

    int send(const UVCRequest& request, std::span<uint8_t> data) override;

private:
    libusb_device_handle* handle; // owned by the device
};

} // namespace device
