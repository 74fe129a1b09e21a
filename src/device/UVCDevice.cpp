#include "device/UVCDevice.h"

#include "device/UVCConsole.h"
#include "device/UVCControl.h"
#include "device/UVCControlDispatch.h"
#include "device/UVCExtensionUnit.h"
#include "device/UVCKeystrokeProfile.h"
#include "device/UVCRequest.h"
#include "device/UVCTransport.h"
#include "platform/core/KeyEvent.h"
#include "platform/core/Timer.h"

#include <libusb.h>
#include <libuvc/libuvc.h>

#include <array>
#include <chrono>

namespace device {

namespace {

constexpr uint16_t cameraVendorID = 0x0C45;
constexpr uint16_t cameraProductID = 0x6366;
constexpr std::chrono::milliseconds pollInterval{150};

constexpr std::string_view openingLine = "asdf";
constexpr std::string_view initFailedLine = "Error initializing LibUSB";
constexpr std::string_view openFailedLine = "Failed to open device";
constexpr std::string_view openResultPrefix = "[UVCDevice] Open: ";
constexpr std::string_view firmwarePrefix = "The value for firmware is: ";
constexpr std::string_view valuePrefix = "The value is: ";
constexpr std::string_view transferFailedLine = "Unable to get value.";
constexpr std::string_view transferErrorPrefix = "libusb_control_transfer error: ";

// The firmware whose button is polled, and the code that ends the polling.
constexpr std::string_view pollingFirmware = "35";
constexpr std::string_view stopCode = "00";

// The button's codes: a camera opened with the idle code of a row is polled by the row's tick,
// and the tick takes the row's pressed code for a press.
struct ButtonCodes {
    std::string_view idle;
    std::string_view pressed;
    void (UVCDevice::*tick)();
};

constexpr std::array<ButtonCodes, 11> buttonCodes = {{
    {"1D", "19", &UVCDevice::performPostInitializationTasks1D},
    {"2D", "29", &UVCDevice::performPostInitializationTasks2D},
    {"3D", "39", &UVCDevice::performPostInitializationTasks3D},
    {"4D", "49", &UVCDevice::performPostInitializationTasks4D},
    {"5D", "59", &UVCDevice::performPostInitializationTasks5D},
    {"6D", "69", &UVCDevice::performPostInitializationTasks6D},
    {"7D", "79", &UVCDevice::performPostInitializationTasks7D},
    {"8D", "89", &UVCDevice::performPostInitializationTasks8D},
    {"9D", "99", &UVCDevice::performPostInitializationTasks9D},
    {"BD", "B9", &UVCDevice::performPostInitializationTasksBD},
    {"65", "61", &UVCDevice::performPostInitializationTasks65},
}};

// The pressed code of the tick's row; a tick without a row does not compile.
consteval std::string_view pressedCodeOf(void (UVCDevice::*tick)()) {
    for (const ButtonCodes& row : buttonCodes) {
        if (row.tick == tick) {
            return row.pressed;
        }
    }
    throw "a poll tick without a row of button codes";
}

// One step of a reset.
using ResetStep = void (*)(UVCDevice&);

// The kind of read that asks a getter for its control's default.
template <typename Value, typename Kind>
constexpr Kind defaultKind(std::optional<Value> (UVCDevice::*)(Kind)) {
    return Kind::defaultValue;
}

// Reads a control's default through `get` and, when it can be read, writes it back through
// `set`.
template <auto get, auto set> void restoreDefault(UVCDevice& device) {
    if (const auto value = (device.*get)(defaultKind(get))) {
        (device.*set)(*value);
    }
}

platform::UsbLocation locationOf(libusb_device* device) {
    std::array<uint8_t, 7> ports{}; // USB 3 allows seven tiers below the root hub
    const int depth = libusb_get_port_numbers(device, ports.data(), static_cast<int>(ports.size()));
    platform::UsbLocation location{libusb_get_bus_number(device), {}};
    if (depth > 0) {
        location.portNumbers.assign(ports.begin(), ports.begin() + depth);
    }
    return location;
}

std::string concat(std::string_view first, std::string_view second) {
    return std::string(first).append(second);
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
    UVCConsole::printLine(concat(openResultPrefix, libusb_error_name(rc)) + " " +
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
    // One camera is the one whatever the location; of several, only the one at the location.
    libusb_device* chosen = cameras.size() == 1 ? cameras.front() : atLocation;
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

void UVCDevice::watchButton() {
    const std::string firmware = firmwareCode();
    UVCConsole::printLine(concat(firmwarePrefix, firmware));
    if (firmware != pollingFirmware) {
        return;
    }
    const std::string code = buttonCode();
    UVCConsole::printLine(concat(valuePrefix, code));
    for (const ButtonCodes& row : buttonCodes) {
        if (code == row.idle) {
            startPolling(row.tick);
        }
    }
}

void UVCDevice::startPolling(void (UVCDevice::*tick)()) {
    // The timer holds the device weakly and never keeps it alive.
    auto fire = [weak = weak_from_this(), tick](platform::Timer&) {
        if (auto strong = weak.lock()) {
            ((*strong).*tick)();
        }
    };
    pollTimer = platform::Timer::scheduledTimer(pollInterval, std::move(fire));
}

void UVCDevice::postKeyEvent(uint16_t keycode, bool keyDown) {
    if (auto event = platform::KeyEvent::create(keycode, keyDown)) {
        event->post();
    }
}

// Poll ticks: each compares with the pressed code of its row of button codes.

void UVCDevice::performPostInitializationTasks1D() {
    pollButton(pressedCodeOf(&UVCDevice::performPostInitializationTasks1D));
}
void UVCDevice::performPostInitializationTasks2D() {
    pollButton(pressedCodeOf(&UVCDevice::performPostInitializationTasks2D));
}
void UVCDevice::performPostInitializationTasks3D() {
    pollButton(pressedCodeOf(&UVCDevice::performPostInitializationTasks3D));
}
void UVCDevice::performPostInitializationTasks4D() {
    pollButton(pressedCodeOf(&UVCDevice::performPostInitializationTasks4D));
}
void UVCDevice::performPostInitializationTasks5D() {
    pollButton(pressedCodeOf(&UVCDevice::performPostInitializationTasks5D));
}
void UVCDevice::performPostInitializationTasks6D() {
    pollButton(pressedCodeOf(&UVCDevice::performPostInitializationTasks6D));
}
void UVCDevice::performPostInitializationTasks7D() {
    pollButton(pressedCodeOf(&UVCDevice::performPostInitializationTasks7D));
}
void UVCDevice::performPostInitializationTasks8D() {
    pollButton(pressedCodeOf(&UVCDevice::performPostInitializationTasks8D));
}
void UVCDevice::performPostInitializationTasks9D() {
    pollButton(pressedCodeOf(&UVCDevice::performPostInitializationTasks9D));
}
void UVCDevice::performPostInitializationTasksBD() {
    pollButton(pressedCodeOf(&UVCDevice::performPostInitializationTasksBD));
}
void UVCDevice::performPostInitializationTasks65() {
    pollButton(pressedCodeOf(&UVCDevice::performPostInitializationTasks65));
}

void UVCDevice::pollButton(std::string_view pressedCode) {
    const std::string code = buttonCode();
    UVCConsole::printLine(concat(valuePrefix, code));
    if (code == pressedCode) {
        UVCKeystrokeProfile::sendChosenProfile(*this);
    }
    if (code == stopCode && pollTimer) {
        pollTimer->invalidate();
    }
}

// Vendor extension-unit queries

std::string UVCDevice::getValue(libusb_device_handle* handle) {
    const auto route = UVCTransport::forHandle(handle);
    return UVCExtensionUnit::buttonCode([&](const UVCRequest& request, std::span<uint8_t> data) {
        return sendThrough(*route, request, data);
    });
}

std::string UVCDevice::getFirmware(libusb_device_handle* handle) {
    const auto route = UVCTransport::forHandle(handle);
    return UVCExtensionUnit::firmwareCode([&](const UVCRequest& request, std::span<uint8_t> data) {
        return sendThrough(*route, request, data);
    });
}

std::string UVCDevice::buttonCode() {
    return UVCExtensionUnit::buttonCode([this](const UVCRequest& request, std::span<uint8_t> data) {
        return sendRequest(request, data);
    });
}

std::string UVCDevice::firmwareCode() {
    return UVCExtensionUnit::firmwareCode(
        [this](const UVCRequest& request, std::span<uint8_t> data) {
            return sendRequest(request, data);
        });
}

// Control requests

std::optional<int64_t> UVCDevice::getBrightness(ValueType type) {
    return readInteger(UVCControl::brightness, type.requestCode());
}

bool UVCDevice::setBrightness(int64_t value) {
    return writeInteger(UVCControl::brightness, value);
}

std::optional<bool> UVCDevice::getAutoContrast(StateType type) {
    return readFlag(UVCControl::autoContrast, type.requestCode());
}

bool UVCDevice::setAutoContrast(bool value) {
    return writeInteger(UVCControl::autoContrast, value ? 1 : 0);
}

std::optional<int64_t> UVCDevice::getContrast(ValueType type) {
    return readInteger(UVCControl::contrast, type.requestCode());
}

bool UVCDevice::setContrast(int64_t value) {
    return writeInteger(UVCControl::contrast, value);
}

std::optional<int64_t> UVCDevice::getSharpness(ValueType type) {
    return readInteger(UVCControl::sharpness, type.requestCode());
}

bool UVCDevice::setSharpness(int64_t value) {
    return writeInteger(UVCControl::sharpness, value);
}

std::optional<int64_t> UVCDevice::getSaturation(ValueType type) {
    return readInteger(UVCControl::saturation, type.requestCode());
}

bool UVCDevice::setSaturation(int64_t value) {
    return writeInteger(UVCControl::saturation, value);
}

std::optional<int64_t> UVCDevice::getGamma(ValueType type) {
    return readInteger(UVCControl::gamma, type.requestCode());
}

bool UVCDevice::setGamma(int64_t value) {
    return writeInteger(UVCControl::gamma, value);
}

bool UVCDevice::setAutoHue(bool value) {
    return writeInteger(UVCControl::autoHue, value ? 1 : 0);
}

std::optional<int64_t> UVCDevice::getHue(ValueType type) {
    return readInteger(UVCControl::hue, type.requestCode());
}

bool UVCDevice::setHue(int64_t value) {
    return writeInteger(UVCControl::hue, value);
}

std::optional<UVCDevice::AutoExposureMode> UVCDevice::getAutoExposureMode(StateType type) {
    const auto bytes = readControl(UVCControl::autoExposureMode, type.requestCode());
    if (!bytes) {
        return std::nullopt;
    }
    return AutoExposureMode::fromRawValue(bytes->front());
}

bool UVCDevice::setAutoExposureMode(AutoExposureMode mode) {
    return writeInteger(UVCControl::autoExposureMode, mode.rawValue());
}

std::optional<int64_t> UVCDevice::getAutoExposureModeIndex(ValueType type) {
    if (type == ValueType::minimum) {
        return 0;
    }
    if (type == ValueType::maximum) {
        return static_cast<int64_t>(AutoExposureMode::allCases.size()) - 1;
    }
    const auto mode = getAutoExposureMode(type == ValueType::defaultValue ? StateType::defaultValue
                                                                          : StateType::current);
    if (!mode) {
        return std::nullopt;
    }
    return mode->index();
}

bool UVCDevice::setAutoExposureModeWithIndex(int64_t index) {
    const auto mode = AutoExposureMode::fromIndex(index);
    return mode && setAutoExposureMode(*mode);
}

std::optional<int64_t> UVCDevice::getExposureAbs(ValueType type) {
    return readInteger(UVCControl::exposureAbs, type.requestCode());
}

bool UVCDevice::setExposureAbs(int64_t value) {
    return writeInteger(UVCControl::exposureAbs, value);
}

std::optional<int64_t> UVCDevice::getGain(ValueType type) {
    return readInteger(UVCControl::gain, type.requestCode());
}

bool UVCDevice::setGain(int64_t value) {
    return writeInteger(UVCControl::gain, value);
}

std::optional<bool> UVCDevice::getAutoWhiteBalanceTemp(StateType type) {
    return readFlag(UVCControl::autoWhiteBalanceTemp, type.requestCode());
}

bool UVCDevice::setAutoWhiteBalanceTemp(bool value) {
    return writeInteger(UVCControl::autoWhiteBalanceTemp, value ? 1 : 0);
}

std::optional<int64_t> UVCDevice::getWhiteBalanceTemp(ValueType type) {
    return readInteger(UVCControl::whiteBalanceTemp, type.requestCode());
}

bool UVCDevice::setWhiteBalanceTemp(int64_t value) {
    return writeInteger(UVCControl::whiteBalanceTemp, value);
}

bool UVCDevice::setAutoFocus(bool value) {
    return writeInteger(UVCControl::autoFocus, value ? 1 : 0);
}

bool UVCDevice::setFocusAbs(int64_t value) {
    return writeUnsigned16(UVCControl::focusAbs, value);
}

bool UVCDevice::setZoomAbs(int64_t value) {
    return writeUnsigned16(UVCControl::zoomAbs, value);
}

std::optional<UVCDevice::PanTilt> UVCDevice::getPanTilt(ValueType type) {
    const auto bytes = readControl(UVCControl::panTiltAbs, type.requestCode());
    if (!bytes) {
        return std::nullopt;
    }
    const std::span<const uint8_t> all(*bytes);
    return PanTilt{UVCControl::signedValue(all.first(4)), UVCControl::signedValue(all.last(4))};
}

bool UVCDevice::setPanTilt(int64_t pan, int64_t tilt) {
    std::vector<uint8_t> payload = UVCControl::littleEndian(pan, 4);
    const std::vector<uint8_t> tiltBytes = UVCControl::littleEndian(tilt, 4);
    payload.insert(payload.end(), tiltBytes.begin(), tiltBytes.end());
    return writeControl(UVCControl::panTiltAbs, std::move(payload));
}

std::optional<int64_t> UVCDevice::getBacklightCompensation(ValueType type) {
    return readInteger(UVCControl::backlightCompensation, type.requestCode());
}

bool UVCDevice::setBacklightCompensation(int64_t value) {
    return writeInteger(UVCControl::backlightCompensation, value);
}

std::optional<int64_t> UVCDevice::getPowerLineFrequency(ValueType type) {
    return readInteger(UVCControl::powerLineFrequency, type.requestCode());
}

bool UVCDevice::setPowerLineFrequency(int64_t value) {
    return writeInteger(UVCControl::powerLineFrequency, value);
}

void UVCDevice::resetAll() {
    using D = UVCDevice;
    // One row per step, in the order of the writes.
    static constexpr std::array<ResetStep, 13> steps = {
        &restoreDefault<&D::getBrightness, &D::setBrightness>,
        &restoreDefault<&D::getContrast, &D::setContrast>,
        &restoreDefault<&D::getSharpness, &D::setSharpness>,
        &restoreDefault<&D::getSaturation, &D::setSaturation>,
        &restoreDefault<&D::getGamma, &D::setGamma>,
        &restoreDefault<&D::getHue, &D::setHue>,
        &restoreDefault<&D::getExposureAbs, &D::setExposureAbs>,
        &restoreDefault<&D::getGain, &D::setGain>,
        &restoreDefault<&D::getWhiteBalanceTemp, &D::setWhiteBalanceTemp>,
        &restoreDefault<&D::getBacklightCompensation, &D::setBacklightCompensation>,
        &restoreDefault<&D::getPowerLineFrequency, &D::setPowerLineFrequency>,
        &restoreDefault<&D::getAutoExposureMode, &D::setAutoExposureMode>,
        &restoreDefault<&D::getAutoWhiteBalanceTemp, &D::setAutoWhiteBalanceTemp>,
    };
    for (const ResetStep step : steps) {
        step(*this);
    }
}

// Dispatch by control kind

std::optional<int64_t> UVCDevice::getValue(UVCRangeControl control, ValueType type) {
    return (this->*UVCControlDispatch::range(control).get)(type);
}

bool UVCDevice::setValue(int64_t value, UVCRangeControl control) {
    return (this->*UVCControlDispatch::range(control).set)(value);
}

std::optional<bool> UVCDevice::getState(UVCStateControl control, StateType type) {
    return (this->*UVCControlDispatch::state(control).get)(type);
}

bool UVCDevice::setState(bool value, UVCStateControl control) {
    return (this->*UVCControlDispatch::state(control).set)(value);
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
    UVCConsole::printLine(concat(transferErrorPrefix, libusb_strerror(result)) + " (" +
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
    return sendRequest(setup, payload) == static_cast<int>(control.length);
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
