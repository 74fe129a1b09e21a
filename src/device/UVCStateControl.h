#pragma once
// The on/off controls of the camera, in the fixed order by which the dispatchers select them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace device {

class UVCStateControl {
public:
    enum Case : uint8_t {
        autoHue,
        autoFocus,
        autoWhiteBalanceTemp,
    };

    static const std::array<UVCStateControl, 3> allCases;

    constexpr UVCStateControl(Case value)
        : value(value) {}
    constexpr operator Case() const { return value; }

private:
    Case value;
};

} // namespace device

template <> struct std::hash<device::UVCStateControl> {
    size_t operator()(device::UVCStateControl control) const noexcept {
        return std::hash<uint8_t>()(static_cast<device::UVCStateControl::Case>(control));
    }
};
