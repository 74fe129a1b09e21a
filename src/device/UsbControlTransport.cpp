#include "device/UsbControlTransport.h"

#include <libusb.h>

namespace device {

UsbControlTransport::UsbControlTransport(libusb_device_handle* handle)
    : handle(handle) {}

int UsbControlTransport::send(const UVCRequest& request, std::span<uint8_t> data) {
    return libusb_control_transfer(handle, request.requestType, request.request, request.wValue(),
                                   request.wIndex(), data.data(),
                                   static_cast<uint16_t>(data.size()),
                                   static_cast<unsigned int>(timeout.count()));
}

} // namespace device
