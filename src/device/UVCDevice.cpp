#include "device/UVCDevice.h"

#include "device/UVCConsole.h"
#include "device/UVCControl.h"
#include "device/UVCRequest.h"
#include "device/UVCTransport.h"
#include "platform/core/Timer.h"

#include <libusb.h>
#include <libuvc/libuvc.h>

#include <array>

namespace device {

namespace {

constexpr uint16_t cameraVendorID = 0x0C45;
constexpr uint16_t cameraProductID = 0x6366;

constexpr std::string_view openingLine = "asdf";
constexpr std::string_view initFailedLine = "Error initializing LibUSB";
constexpr std::string_view openFailedLine = "Failed to open device";
constexpr std::string_view openResultPrefix = "[UVCDevice] Open: ";
constexpr std::string_view transferFailedLine = "Unable to get value.";
constexpr std::string_view transferErrorPrefix = "libusb_control_transfer error: ";

platform::UsbLocation locationOf(libusb_device* device) {
    std::array<uint8_t, 7> ports{}; // USB 3 allows seven tiers below the root hub
    const int depth = libusb_get_port_numbers(device, ports.data(), static_cast<int>(ports.size()));
    platform::UsbLocation location{libusb_get_bus_number(device), {}};
    if (depth > 0) {
        location.portNumbers.assign(ports.begin(), ports.begin() + depth);
    }
    return location;
}

} // namespace

// Owned C library objects

void UVCDevice::ContextDeleter::operator()(libusb_context* context) const {
    libusb_exit(context);
}

void UVCDevice::HandleDeleter::operator()(libusb_device_handle* handle) const {
    libusb_close(handle);
}

void UVCDevice::DescriptorDeleter::operator()(uvc_device_descriptor* descriptor) const {
    uvc_free_device_descriptor(descriptor);
}

// Accessors

void UVCDevice::set_device_descriptor_pointer(uvc_device_descriptor* value) {
    descriptor.reset(value);
}

void UVCDevice::setTimer(std::shared_ptr<platform::Timer> value) {
    pollTimer = std::move(value);
}

// Opening and end

std::shared_ptr<UVCDevice> UVCDevice::open(uvc_device*,
                                           const std::optional<platform::UsbLocation>& location) {
    UVCConsole::printLine(openingLine);
    libusb_context* ctx = nullptr;
    if (libusb_init(&ctx) != 0) {
        UVCConsole::printLine(initFailedLine);
        return nullptr;
    }
    ContextPointer context(ctx);
    libusb_device_handle* opened = nullptr;
    if (libusb_device* camera = cameraAt(ctx, location)) {
        if (libusb_open(camera, &opened) != 0) {
            opened = nullptr;
        }
        libusb_unref_device(camera);
    }
    HandlePointer handle(opened);
    if (!handle) {
        UVCConsole::printLine(openFailedLine);
        return nullptr;
    }
    const int rc = libusb_set_auto_detach_kernel_driver(handle.get(), 0);
    UVCConsole::printLine(std::string(openResultPrefix) + libusb_error_name(rc) + " " +
                          libusb_strerror(rc));
    if (rc != 0) {
        return nullptr; // the handle is closed before its context is exited
    }
    auto transport = UVCTransport::forHandle(handle.get());
    auto device = std::make_shared<UVCDevice>(Key{}, std::move(context), std::move(handle),
                                              std::move(transport));
    device->watchButton();
    return device;
}

libusb_device* UVCDevice::cameraAt(libusb_context* context,
                                   const std::optional<platform::UsbLocation>& location) {
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(context, &list);
    std::vector<libusb_device*> cameras;
    libusb_device* atLocation = nullptr;
    for (ssize_t at = 0; at < count; ++at) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(list[at], &descriptor) != 0 ||
            descriptor.idVendor != cameraVendorID || descriptor.idProduct != cameraProductID) {
            continue;
        }
        cameras.push_back(list[at]);
        if (location && locationOf(list[at]) == *location) {
            atLocation = list[at];
        }
    }
    // With a location only the camera there: a camera elsewhere, even the only one attached,
    // is not the capture device's, whose own may just have left. Without one, a lone camera.
    libusb_device* chosen = location ? atLocation : cameras.size() == 1 ? cameras.front() : nullptr;
    if (chosen != nullptr) {
        libusb_ref_device(chosen);
    }
    if (count >= 0) {
        libusb_free_device_list(list, 1);
    }
    return chosen;
}

UVCDevice::UVCDevice(Key, ContextPointer context, HandlePointer handle,
                     std::unique_ptr<UVCTransport> transport)
    : device(std::move(context))
    , deviceHandle(std::move(handle))
    , transport(std::move(transport)) {}

UVCDevice::~UVCDevice() {
    if (pollTimer) {
        pollTimer->invalidate();
    }
    // Members end in reverse order: the route is closed, the descriptor freed, the handle
    // closed, the context exited.
}

// Transfers

int UVCDevice::sendRequest(const UVCRequest& request, std::span<uint8_t> data) {
    return sendThrough(*transport, request, data);
}

int UVCDevice::sendThrough(UVCTransport& route, const UVCRequest& request,
                           std::span<uint8_t> data) {
    const int result = route.send(request, data);
    if (result < 0 && request.reportsFailure) {
        reportFailure(result);
    }
    return result;
}

void UVCDevice::reportFailure(int result) {
    UVCConsole::printLine(transferFailedLine);
    UVCConsole::printLine(std::string(transferErrorPrefix) + libusb_strerror(result) + " (" +
                          std::to_string(result) + ")");
}

std::optional<std::vector<uint8_t>> UVCDevice::readControl(const UVCControl& control,
                                                           uint8_t request) {
    std::vector<uint8_t> buffer(control.length);
    const UVCRequest setup{UVCRequest::interfaceToHost, request, control.unit, control.selector};
    if (sendRequest(setup, buffer) != static_cast<int>(control.length)) {
        return std::nullopt; // failed or short: not a value of the camera
    }
    return buffer;
}

std::optional<int64_t> UVCDevice::readInteger(const UVCControl& control, uint8_t request) {
    const auto bytes = readControl(control, request);
    if (!bytes) {
        return std::nullopt;
    }
    return control.decode(*bytes);
}

std::optional<bool> UVCDevice::readFlag(const UVCControl& control, uint8_t request) {
    const auto bytes = readControl(control, request);
    if (!bytes) {
        return std::nullopt;
    }
    return bytes->front() != 0;
}

bool UVCDevice::writeControl(const UVCControl& control, std::vector<uint8_t> payload) {
    UVCConsole::printLine(std::to_string(UVCControl::unsignedValue(payload)));
    const UVCRequest setup{UVCRequest::hostToInterface, UVCRequest::setCur, control.unit,
                           control.selector};
    lastWrite = sendRequest(setup, payload);
    return *lastWrite == static_cast<int>(control.length);
}

bool UVCDevice::writeInteger(const UVCControl& control, int64_t value) {
    return writeControl(control, control.encode(value));
}

bool UVCDevice::writeUnsigned16(const UVCControl& control, int64_t value) {
    if (value < 0 || value > 0xFFFF) {
        return false;
    }
    return writeInteger(control, value);
}

} // namespace device
