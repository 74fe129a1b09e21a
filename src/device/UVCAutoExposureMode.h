#pragma once
// The camera's auto-exposure mode (UVCDevice::AutoExposureMode): the raw value is the bit of the
// UVC auto-exposure mode control, the index (0 to 3) is how the control window speaks of it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace device {

class UVCAutoExposureMode {
public:
    // `auto` is a keyword of the language, hence the trailing underscore.
    enum Case : uint8_t {
        manual = 1,
        auto_ = 2,
        shutterPriority = 4,
        aperturePriority = 8,
    };

    static const std::array<UVCAutoExposureMode, 4> allCases;

    constexpr UVCAutoExposureMode(Case value)
        : value(value) {}
    constexpr operator Case() const { return value; }

    // The mode whose raw value the byte is, or nothing.
    static std::optional<UVCAutoExposureMode> fromRawValue(uint8_t rawValue);
    uint8_t rawValue() const { return value; }

    // allCases[index] for 0 to 3, nothing for any other integer.
    static std::optional<UVCAutoExposureMode> fromIndex(int64_t index);
    // The position in allCases.
    int64_t index() const;

private:
    Case value;
};

} // namespace device

template <> struct std::hash<device::UVCAutoExposureMode> {
    size_t operator()(device::UVCAutoExposureMode mode) const noexcept {
        return std::hash<uint8_t>()(mode.rawValue());
    }
};
