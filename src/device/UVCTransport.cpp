#include "device/UVCTransport.h"

#include "device/UsbControlTransport.h"
#include "device/VideoNodeTransport.h"
#include "platform/core/UsbCaptureNode.h"

#include <libusb.h>

namespace device {

namespace {

constexpr int controlInterface = 0;

} // namespace

std::unique_ptr<UVCTransport> UVCTransport::forHandle(libusb_device_handle* handle) {
    if (libusb_kernel_driver_active(handle, controlInterface) != 1) {
        return std::make_unique<UsbControlTransport>(handle);
    }
    libusb_device* usbDevice = libusb_get_device(handle);
    const auto node = platform::UsbCaptureNode::find(libusb_get_bus_number(usbDevice),
                                                     libusb_get_device_address(usbDevice));
    return std::make_unique<VideoNodeTransport>(node.value_or(std::string()));
}

} // namespace device
