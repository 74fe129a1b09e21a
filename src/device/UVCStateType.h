#pragma once
// Which value of an on/off control, or of the auto-exposure mode, a read asks for
// (UVCDevice::StateType), each tied to its request code.

#include <cstdint>

namespace device {

class UVCStateType {
public:
    enum Case : uint8_t {
        defaultValue,
        current,
    };

    constexpr UVCStateType(Case value)
        : value(value) {}
    constexpr operator Case() const { return value; }

    // GET_DEF or GET_CUR
    uint8_t requestCode() const;

private:
    Case value;
};

} // namespace device
