#pragma once
// The integer controls of the camera, in the fixed order by which the dispatchers select them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace device {

class UVCRangeControl {
public:
    enum Case : uint8_t {
        brightness,
        contrast,
        saturation,
        sharpness,
        gamma,
        hue,
        whiteBalance,
        autoExposureMode,
        exposureTime,
        gain,
        zoom,
        pan,
        tilt,
        focus,
        backlightCompensation,
        powerLineFrequency,
    };

    static const std::array<UVCRangeControl, 16> allCases;

    constexpr UVCRangeControl(Case value)
        : value(value) {}
    constexpr operator Case() const { return value; }

private:
    Case value;
};

} // namespace device

template <> struct std::hash<device::UVCRangeControl> {
    size_t operator()(device::UVCRangeControl control) const noexcept {
        return std::hash<uint8_t>()(static_cast<device::UVCRangeControl::Case>(control));
    }
};
