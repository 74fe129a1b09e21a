#pragma once
// The setup of one class-specific request to a unit of the camera's video-control interface 0:
// the selector goes into the high byte of wValue, the unit into the high byte of wIndex.

#include <cstdint>

namespace device {

struct UVCRequest {
    static constexpr uint8_t hostToInterface = 0x21; // class request, host to interface
    static constexpr uint8_t interfaceToHost = 0xA1; // class request, interface to host

    static constexpr uint8_t setCur = 0x01;
    static constexpr uint8_t getCur = 0x81;
    static constexpr uint8_t getMin = 0x82;
    static constexpr uint8_t getMax = 0x83;
    static constexpr uint8_t getLen = 0x85;
    static constexpr uint8_t getDef = 0x87;

    static constexpr uint8_t cameraTerminal = 1;
    static constexpr uint8_t processingUnit = 2;
    static constexpr uint8_t extensionUnit = 3;

    uint8_t requestType;
    uint8_t request;
    uint8_t unit;
    uint8_t selector;
    // A failed transfer is reported on standard output.
    bool reportsFailure = false;

    constexpr uint16_t wValue() const { return static_cast<uint16_t>(selector << 8); }
    constexpr uint16_t wIndex() const { return static_cast<uint16_t>(unit << 8); }
};

} // namespace device
