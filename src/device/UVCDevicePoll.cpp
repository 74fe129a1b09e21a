// UVCDevice: the capture-button poll that the opening starts, its ticks, and the vendor
// extension-unit queries that read the firmware and button codes.
#include "device/UVCDevice.h"

#include "device/UVCConsole.h"
#include "device/UVCExtensionUnit.h"
#include "device/UVCKeystrokeProfile.h"
#include "device/UVCRequest.h"
#include "device/UVCTransport.h"
#include "platform/core/KeyEvent.h"
#include "platform/core/Timer.h"

#include <array>
#include <chrono>

namespace device {

namespace {

constexpr std::chrono::milliseconds pollInterval{150};

constexpr std::string_view firmwarePrefix = "The value for firmware is: ";
constexpr std::string_view valuePrefix = "The value is: ";

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

} // namespace

void UVCDevice::watchButton() {
    const std::string firmware = firmwareCode();
    UVCConsole::printLine(std::string(firmwarePrefix) + firmware);
    if (firmware != pollingFirmware) {
        return;
    }
    const std::string code = buttonCode();
    UVCConsole::printLine(std::string(valuePrefix) + code);
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
    UVCConsole::printLine(std::string(valuePrefix) + code);
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

} // namespace device
