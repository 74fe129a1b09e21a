#pragma once
// Which value of an integer control a read asks for (UVCDevice::ValueType), each tied to its
// request code.

#include <cstdint>

namespace device {

class UVCValueType {
public:
    enum Case : uint8_t {
        minimum,
        maximum,
        defaultValue,
        current,
    };

    constexpr UVCValueType(Case value)
        : value(value) {}
    constexpr operator Case() const { return value; }

    // GET_MIN, GET_MAX, GET_DEF or GET_CUR
    uint8_t requestCode() const;

private:
    Case value;
};

} // namespace device
