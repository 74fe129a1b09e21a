#include "support/SimulatedVideoControl.h"

#include "support/SimulatedCamera.h"

#include <linux/videodev2.h>

#include <algorithm>

namespace sim {

namespace {

using Type = SimulatedVideoControl::Type;
constexpr uint8_t ct = SimulatedCamera::cameraTerminal;
constexpr uint8_t pu = SimulatedCamera::processingUnit;

SimulatedVideoControl integer(uint32_t id, std::string name, uint8_t unit, uint8_t selector,
                              uint8_t length, bool isSigned = false) {
    return {id,   std::move(name), Type::integer, unit, selector, 0, length, isSigned, {}, true,
            false};
}

SimulatedVideoControl boolean(uint32_t id, std::string name, uint8_t unit, uint8_t selector) {
    return {id, std::move(name), Type::boolean, unit, selector, 0, 1, false, {}, false, false};
}

SimulatedVideoControl governed(SimulatedVideoControl control, uint32_t master, int32_t manual) {
    control.masterId = master;
    control.masterManual = manual;
    return control;
}

std::vector<SimulatedVideoControl> mappings() {
    std::vector<SimulatedVideoControl> all = {
        integer(V4L2_CID_BRIGHTNESS, "Brightness", pu, 0x02, 2, true),
        integer(V4L2_CID_CONTRAST, "Contrast", pu, 0x03, 2),
        integer(V4L2_CID_SATURATION, "Saturation", pu, 0x07, 2),
        governed(integer(V4L2_CID_HUE, "Hue", pu, 0x06, 2, true), V4L2_CID_HUE_AUTO, 0),
        boolean(V4L2_CID_AUTO_WHITE_BALANCE, "White Balance Temperature, Auto", pu, 0x0B),
        integer(V4L2_CID_GAMMA, "Gamma", pu, 0x09, 2),
        integer(V4L2_CID_GAIN, "Gain", pu, 0x04, 2),
        {V4L2_CID_POWER_LINE_FREQUENCY,
         "Power Line Frequency",
         Type::menu,
         pu,
         0x05,
         0,
         1,
         false,
         {{0, "Disabled"}, {1, "50 Hz"}, {2, "60 Hz"}},
         true,
         false},
        boolean(V4L2_CID_HUE_AUTO, "Hue, Auto", pu, 0x10),
        governed(
            integer(V4L2_CID_WHITE_BALANCE_TEMPERATURE, "White Balance Temperature", pu, 0x0A, 2),
            V4L2_CID_AUTO_WHITE_BALANCE, 0),
        integer(V4L2_CID_SHARPNESS, "Sharpness", pu, 0x08, 2),
        integer(V4L2_CID_BACKLIGHT_COMPENSATION, "Backlight Compensation", pu, 0x01, 2),
        {V4L2_CID_EXPOSURE_AUTO,
         "Exposure, Auto",
         Type::menu,
         ct,
         0x02,
         0,
         1,
         false,
         {{2, "Auto Mode"},
          {1, "Manual Mode"},
          {4, "Shutter Priority Mode"},
          {8, "Aperture Priority Mode"}},
         false,
         true},
        governed(integer(V4L2_CID_EXPOSURE_ABSOLUTE, "Exposure (Absolute)", ct, 0x04, 4),
                 V4L2_CID_EXPOSURE_AUTO, V4L2_EXPOSURE_MANUAL),
        integer(V4L2_CID_PAN_ABSOLUTE, "Pan (Absolute)", ct, 0x0D, 4, true),
        integer(V4L2_CID_TILT_ABSOLUTE, "Tilt (Absolute)", ct, 0x0D, 4, true),
        governed(integer(V4L2_CID_FOCUS_ABSOLUTE, "Focus (absolute)", ct, 0x06, 2),
                 V4L2_CID_FOCUS_AUTO, 0),
        integer(V4L2_CID_ZOOM_ABSOLUTE, "Zoom, Absolute", ct, 0x0B, 2),
        boolean(V4L2_CID_FOCUS_AUTO, "Focus, Auto", ct, 0x08),
    };
    for (SimulatedVideoControl& control : all) {
        if (control.id == V4L2_CID_TILT_ABSOLUTE)
            control.offset = 4; // the second half of pan-tilt
    }
    std::ranges::sort(all, {}, &SimulatedVideoControl::id);
    return all;
}

} // namespace

const std::vector<SimulatedVideoControl>& SimulatedVideoControl::all() {
    static const std::vector<SimulatedVideoControl> table = mappings();
    return table;
}

const SimulatedVideoControl* SimulatedVideoControl::find(uint32_t id) {
    const auto& table = all();
    const auto found = std::ranges::find(table, id, &SimulatedVideoControl::id);
    return found == table.end() ? nullptr : &*found;
}

const SimulatedVideoControl* SimulatedVideoControl::next(uint32_t id) {
    const auto& table = all();
    const auto found = std::ranges::upper_bound(table, id, {}, &SimulatedVideoControl::id);
    return found == table.end() ? nullptr : &*found;
}

int32_t SimulatedVideoControl::read(const std::vector<uint8_t>& bytes) const {
    if (type == Type::boolean)
        return bytes.at(offset) & 1; // the driver maps a switch to its lowest bit
    uint32_t value = 0;
    for (size_t i = length; i > 0; --i)
        value = (value << 8) | bytes.at(offset + i - 1);
    if (isSigned && length < 4 && (value >> (8 * length - 1)) != 0)
        value |= ~((uint32_t{1} << (8 * length)) - 1);
    return static_cast<int32_t>(value);
}

void SimulatedVideoControl::write(int32_t value, std::vector<uint8_t>& bytes) const {
    for (size_t i = 0; i < length; ++i)
        bytes.at(offset + i) = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}

int32_t SimulatedVideoControl::toV4l2(int32_t value) const {
    for (size_t i = 0; i < menu.size(); ++i) {
        if (menu[i].value == value)
            return static_cast<int32_t>(i);
    }
    return value;
}

std::optional<int32_t> SimulatedVideoControl::fromV4l2(int32_t value) const {
    if (type != Type::menu)
        return value;
    if (value < 0 || static_cast<size_t>(value) >= menu.size())
        return std::nullopt;
    return menu[static_cast<size_t>(value)].value;
}

} // namespace sim
