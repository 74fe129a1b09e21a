#pragma once
// One class-specific control of the camera: the unit and selector that address it, its length
// and how its little-endian bytes read as an integer.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace device {

class UVCControl {
public:
    uint8_t unit;
    uint8_t selector;
    uint16_t length;
    bool isSigned;

    static const UVCControl brightness;
    static const UVCControl contrast;
    static const UVCControl hue;
    static const UVCControl saturation;
    static const UVCControl sharpness;
    static const UVCControl gamma;
    static const UVCControl gain;
    static const UVCControl whiteBalanceTemp;
    static const UVCControl backlightCompensation;
    static const UVCControl powerLineFrequency;
    static const UVCControl exposureAbs;
    static const UVCControl autoExposureMode;
    static const UVCControl autoWhiteBalanceTemp;
    static const UVCControl autoContrast;
    static const UVCControl autoHue;
    static const UVCControl autoFocus;
    static const UVCControl focusAbs;
    static const UVCControl zoomAbs;
    static const UVCControl panTiltAbs; // two signed 32-bit values, pan first

    // The value in two's complement, cut to the control's length, little-endian.
    std::vector<uint8_t> encode(int64_t value) const;
    // The control's bytes as an integer of its width and signedness.
    int64_t decode(std::span<const uint8_t> bytes) const;

    // Little-endian bytes (up to eight) as an unsigned or a two's-complement number.
    static uint64_t unsignedValue(std::span<const uint8_t> bytes);
    static int64_t signedValue(std::span<const uint8_t> bytes);
    // The low `length` bytes of the value in two's complement, little-endian.
    static std::vector<uint8_t> littleEndian(int64_t value, size_t length);
};

} // namespace device
