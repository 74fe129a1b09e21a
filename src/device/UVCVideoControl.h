#pragma once
// How the kernel's video driver shows a control of the camera terminal or the processing unit:
// the V4L2 controls that carry its bytes and, for a menu, the control's byte of each entry.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace device {

class UVCVideoControl {
public:
    // One V4L2 control: the bytes it carries within the control's value.
    struct Field {
        uint32_t id;
        uint8_t offset;
        uint8_t length;
        bool isSigned;
    };

    uint8_t unit;
    uint8_t selector;
    uint16_t length;
    std::vector<Field> fields;
    std::vector<int32_t> menu; // the control's value of each menu entry; empty: not a menu

    // The driver's mapping of a control, or nothing for a control it does not map.
    static const UVCVideoControl* find(uint8_t unit, uint8_t selector);

    // A V4L2 value as the control's value, and back; nothing for a value outside the menu.
    std::optional<int32_t> controlValue(int32_t v4l2Value) const;
    std::optional<int32_t> v4l2Value(int32_t controlValue) const;
};

} // namespace device
