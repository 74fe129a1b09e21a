#include "device/UVCVideoControl.h"

#include "device/UVCRequest.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <array>

namespace device {

namespace {

constexpr uint8_t ct = UVCRequest::cameraTerminal;
constexpr uint8_t pu = UVCRequest::processingUnit;

using Field = UVCVideoControl::Field;

Field whole(uint32_t id, uint8_t length, bool isSigned = false) {
    return {id, 0, length, isSigned};
}

// The driver's menu of the exposure mode lists auto, manual, shutter and aperture priority;
// that of the power-line frequency lists the control's own values: 0 to 2, and 3 (Auto) for a
// camera of UVC 1.5 or later.
const std::vector<int32_t> exposureModes = {0x02, 0x01, 0x04, 0x08};
const std::vector<int32_t> powerLineFrequencies = {0, 1, 2, 3};

// The mappings of the driver (drivers/media/usb/uvc/uvc_ctrl.c) for the controls the device
// asks for. Auto contrast has none.
const std::array<UVCVideoControl, 18> mappings = {{
    {pu, 0x01, 2, {whole(V4L2_CID_BACKLIGHT_COMPENSATION, 2)}, {}},
    {pu, 0x02, 2, {whole(V4L2_CID_BRIGHTNESS, 2, true)}, {}},
    {pu, 0x03, 2, {whole(V4L2_CID_CONTRAST, 2)}, {}},
    {pu, 0x04, 2, {whole(V4L2_CID_GAIN, 2)}, {}},
    {pu, 0x05, 1, {whole(V4L2_CID_POWER_LINE_FREQUENCY, 1)}, powerLineFrequencies},
    {pu, 0x06, 2, {whole(V4L2_CID_HUE, 2, true)}, {}},
    {pu, 0x07, 2, {whole(V4L2_CID_SATURATION, 2)}, {}},
    {pu, 0x08, 2, {whole(V4L2_CID_SHARPNESS, 2)}, {}},
    {pu, 0x09, 2, {whole(V4L2_CID_GAMMA, 2)}, {}},
    {pu, 0x0A, 2, {whole(V4L2_CID_WHITE_BALANCE_TEMPERATURE, 2)}, {}},
    {pu, 0x0B, 1, {whole(V4L2_CID_AUTO_WHITE_BALANCE, 1)}, {}},
    {pu, 0x10, 1, {whole(V4L2_CID_HUE_AUTO, 1)}, {}},
    {ct, 0x02, 1, {whole(V4L2_CID_EXPOSURE_AUTO, 1)}, exposureModes},
    {ct, 0x04, 4, {whole(V4L2_CID_EXPOSURE_ABSOLUTE, 4)}, {}},
    {ct, 0x06, 2, {whole(V4L2_CID_FOCUS_ABSOLUTE, 2)}, {}},
    {ct, 0x08, 1, {whole(V4L2_CID_FOCUS_AUTO, 1)}, {}},
    {ct, 0x0B, 2, {whole(V4L2_CID_ZOOM_ABSOLUTE, 2)}, {}},
    {ct, 0x0D, 8, {{V4L2_CID_PAN_ABSOLUTE, 0, 4, true}, {V4L2_CID_TILT_ABSOLUTE, 4, 4, true}}, {}},
}};

} // namespace

const UVCVideoControl* UVCVideoControl::find(uint8_t unit, uint8_t selector) {
    const auto found = std::ranges::find_if(mappings, [&](const UVCVideoControl& control) {
        return control.unit == unit && control.selector == selector;
    });
    return found == mappings.end() ? nullptr : &*found;
}

std::optional<int32_t> UVCVideoControl::controlValue(int32_t value) const {
    if (menu.empty()) {
        return value;
    }
    if (value < 0 || static_cast<size_t>(value) >= menu.size()) {
        return std::nullopt;
    }
    return menu[static_cast<size_t>(value)];
}

std::optional<int32_t> UVCVideoControl::v4l2Value(int32_t value) const {
    if (menu.empty()) {
        return value;
    }
    const auto found = std::ranges::find(menu, value);
    if (found == menu.end()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(found - menu.begin());
}

} // namespace device
