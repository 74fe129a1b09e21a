#include "support/SimulatedVideoControl.h"

#include "support/SimulatedCamera.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <iterator>

namespace sim {

namespace {

using Type = SimulatedVideoControl::Type;
constexpr uint8_t ct = SimulatedCamera::cameraTerminal;
constexpr uint8_t pu = SimulatedCamera::processingUnit;

SimulatedVideoControl integer(uint32_t id, std::string name, uint8_t unit, uint8_t selector,
                              uint8_t bits, bool isSigned = false, bool autoUpdate = false) {
    SimulatedVideoControl control{
        id, std::move(name), Type::integer, unit, selector, 0, bits, isSigned, {}, true, false};
    control.autoUpdate = autoUpdate;
    return control;
}

SimulatedVideoControl boolean(uint32_t id, std::string name, uint8_t unit, uint8_t selector) {
    return {id, std::move(name), Type::boolean, unit, selector, 0, 1, false, {}, false, false};
}

SimulatedVideoControl menu(uint32_t id, std::string name, uint8_t unit, uint8_t selector,
                           uint8_t bits, std::vector<SimulatedVideoControl::MenuEntry> entries,
                           bool isBitmask) {
    return {id,   std::move(name), Type::menu,         unit,  selector, 0,
            bits, false,           std::move(entries), false, isBitmask};
}

SimulatedVideoControl governed(SimulatedVideoControl control, uint32_t master, int32_t manual) {
    control.masterId = master;
    control.masterManual = manual;
    return control;
}

constexpr bool signedValue = true, autoUpdated = true;

// The widths and flags of uvc_ctrl.c: uvc_ctrl_mappings (the bits: 16 for most, 4 for the
// exposure mode, 2 for the power-line frequency, 1 for a switch) and uvc_ctrls (the requests
// each control takes, and which the table flags auto-update). The names are those the V4L2 core
// gives the ids (v4l2_ctrl_get_name), as uvcvideo's mappings name none.
std::vector<SimulatedVideoControl> mappings() {
    std::vector<SimulatedVideoControl> all = {
        integer(V4L2_CID_BRIGHTNESS, "Brightness", pu, 0x02, 16, signedValue),
        integer(V4L2_CID_CONTRAST, "Contrast", pu, 0x03, 16),
        integer(V4L2_CID_SATURATION, "Saturation", pu, 0x07, 16),
        governed(integer(V4L2_CID_HUE, "Hue", pu, 0x06, 16, signedValue, autoUpdated),
                 V4L2_CID_HUE_AUTO, 0),
        boolean(V4L2_CID_AUTO_WHITE_BALANCE, "White Balance, Automatic", pu, 0x0B),
        integer(V4L2_CID_GAMMA, "Gamma", pu, 0x09, 16),
        integer(V4L2_CID_GAIN, "Gain", pu, 0x04, 16),
        menu(V4L2_CID_POWER_LINE_FREQUENCY, "Power Line Frequency", pu, 0x05, 2,
             {{0, "Disabled"}, {1, "50 Hz"}, {2, "60 Hz"}, {3, "Auto", 0x0150}}, false),
        boolean(V4L2_CID_HUE_AUTO, "Hue, Automatic", pu, 0x10),
        governed(integer(V4L2_CID_WHITE_BALANCE_TEMPERATURE, "White Balance Temperature", pu, 0x0A,
                         16, false, autoUpdated),
                 V4L2_CID_AUTO_WHITE_BALANCE, 0),
        integer(V4L2_CID_SHARPNESS, "Sharpness", pu, 0x08, 16),
        integer(V4L2_CID_BACKLIGHT_COMPENSATION, "Backlight Compensation", pu, 0x01, 16),
        menu(V4L2_CID_EXPOSURE_AUTO, "Auto Exposure", ct, 0x02, 4,
             {{2, "Auto Mode"},
              {1, "Manual Mode"},
              {4, "Shutter Priority Mode"},
              {8, "Aperture Priority Mode"}},
             true),
        governed(integer(V4L2_CID_EXPOSURE_ABSOLUTE, "Exposure Time, Absolute", ct, 0x04, 32, false,
                         autoUpdated),
                 V4L2_CID_EXPOSURE_AUTO, V4L2_EXPOSURE_MANUAL),
        integer(V4L2_CID_PAN_ABSOLUTE, "Pan, Absolute", ct, 0x0D, 32, signedValue, autoUpdated),
        integer(V4L2_CID_TILT_ABSOLUTE, "Tilt, Absolute", ct, 0x0D, 32, signedValue, autoUpdated),
        governed(
            integer(V4L2_CID_FOCUS_ABSOLUTE, "Focus, Absolute", ct, 0x06, 16, false, autoUpdated),
            V4L2_CID_FOCUS_AUTO, 0),
        integer(V4L2_CID_ZOOM_ABSOLUTE, "Zoom, Absolute", ct, 0x0B, 16, false, autoUpdated),
        boolean(V4L2_CID_FOCUS_AUTO, "Focus, Automatic Continuous", ct, 0x08),
    };
    for (SimulatedVideoControl& control : all) {
        if (control.id == V4L2_CID_TILT_ABSOLUTE)
            control.offset = 4; // the second half of pan-tilt
    }
    std::ranges::sort(all, {}, &SimulatedVideoControl::id);
    return all;
}

} // namespace

std::pair<int, int> SimulatedVideoControl::chainOrder(uint8_t unit, uint8_t selector) {
    struct Bit {
        uint8_t unit, selector, index;
    };
    static constexpr Bit bits[] = {
        {ct, 0x02, 1}, {ct, 0x04, 3}, {ct, 0x06, 5}, {ct, 0x0B, 9},  {ct, 0x0D, 11}, {ct, 0x08, 17},
        {pu, 0x02, 0}, {pu, 0x03, 1}, {pu, 0x06, 2}, {pu, 0x07, 3},  {pu, 0x08, 4},  {pu, 0x09, 5},
        {pu, 0x0A, 6}, {pu, 0x01, 8}, {pu, 0x04, 9}, {pu, 0x05, 10}, {pu, 0x10, 11}, {pu, 0x0B, 12},
    };
    const auto found = std::ranges::find_if(
        bits, [&](const Bit& bit) { return bit.unit == unit && bit.selector == selector; });
    return {-unit, found == std::end(bits) ? 0 : found->index};
}

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
    uint64_t value = 0;
    const size_t length = (bits + 7u) / 8u;
    for (size_t i = length; i > 0; --i)
        value = (value << 8) | bytes.at(offset + i - 1);
    value &= (uint64_t{1} << bits) - 1;
    if (isSigned && (value >> (bits - 1)) != 0)
        value |= ~((uint64_t{1} << bits) - 1);
    return static_cast<int32_t>(value);
}

void SimulatedVideoControl::write(int32_t value, std::vector<uint8_t>& bytes) const {
    const uint64_t mask = (uint64_t{1} << bits) - 1;
    const uint64_t field = static_cast<uint64_t>(static_cast<uint32_t>(value)) & mask;
    for (size_t i = 0; i * 8 < bits; ++i) {
        const auto byteMask = static_cast<uint8_t>(mask >> (8 * i));
        uint8_t& byte = bytes.at(offset + i);
        byte = static_cast<uint8_t>((byte & ~byteMask) | ((field >> (8 * i)) & byteMask));
    }
}

std::vector<SimulatedVideoControl::MenuEntry>
SimulatedVideoControl::menuFor(uint16_t uvcVersion) const {
    std::vector<MenuEntry> offered;
    std::ranges::copy_if(menu, std::back_inserter(offered),
                         [&](const MenuEntry& entry) { return entry.sinceUvc <= uvcVersion; });
    return offered;
}

int32_t SimulatedVideoControl::toV4l2(int32_t value, uint16_t uvcVersion) const {
    const auto offered = menuFor(uvcVersion);
    const auto found = std::ranges::find(offered, value, &MenuEntry::value);
    return found == offered.end() ? value : static_cast<int32_t>(found - offered.begin());
}

std::optional<int32_t> SimulatedVideoControl::fromV4l2(int32_t value, uint16_t uvcVersion) const {
    if (type != Type::menu)
        return value;
    const auto offered = menuFor(uvcVersion);
    if (value < 0 || static_cast<size_t>(value) >= offered.size())
        return std::nullopt;
    return offered[static_cast<size_t>(value)].value;
}

} // namespace sim
