#include "support/SimulatedControlModel.h"

#include "support/SimulatedCamera.h"
#include "support/UVCClassRequest.h"

#include <stdexcept>

namespace sim {

namespace {

using enum UVCClassRequest::Code;

constexpr size_t firmwareOffset = 3;
constexpr size_t buttonOffset = 2;

std::vector<uint8_t> littleEndian(int64_t value, uint16_t length) {
    std::vector<uint8_t> bytes(length);
    for (uint16_t i = 0; i < length; ++i)
        bytes[i] = static_cast<uint8_t>(static_cast<uint64_t>(value) >> (8 * i));
    return bytes;
}

// An integer control whose current value is its default.
Control range(uint16_t length, int64_t min, int64_t max, int64_t def, int64_t res = 1) {
    return Control{length,
                   littleEndian(min, length),
                   littleEndian(max, length),
                   littleEndian(def, length),
                   littleEndian(def, length),
                   littleEndian(res, length)};
}

Control onOff(bool def) {
    return range(1, 0, 1, def ? 1 : 0);
}

// Two signed 32-bit values (pan, tilt) in one control.
Control panTilt() {
    auto pair = [](int32_t pan, int32_t tilt) {
        std::vector<uint8_t> bytes = littleEndian(pan, 4);
        std::vector<uint8_t> second = littleEndian(tilt, 4);
        bytes.insert(bytes.end(), second.begin(), second.end());
        return bytes;
    };
    return Control{8,          pair(-36000, -36000), pair(36000, 36000),
                   pair(0, 0), pair(0, 0),           pair(3600, 3600)};
}

// A vendor control answers only GET_CUR, GET_DEF, GET_LEN and GET_INFO.
Control vendor(std::vector<uint8_t> value) {
    auto length = static_cast<uint16_t>(value.size());
    return Control{length, {}, {}, value, value, {}};
}

// A control that an automatic mode of the camera drives: GET_INFO adds "disabled by an automatic
// mode" and auto-update to get and set, as the camera answers with its automatic modes on.
Control driven(Control control) {
    control.info = 0x0F;
    return control;
}

bool isVendor(uint8_t unit) {
    return unit == SimulatedCamera::extensionUnit;
}

} // namespace

SimulatedControlModel SimulatedControlModel::vistrel() {
    constexpr uint8_t ct = SimulatedCamera::cameraTerminal;
    constexpr uint8_t pu = SimulatedCamera::processingUnit;
    constexpr uint8_t xu = SimulatedCamera::extensionUnit;
    SimulatedControlModel model;
    // GET_INFO answers get and set for every control (Control's default), and more for those
    // that the automatic modes, on out of the box, drive.
    // Exposure mode is a bitmap: no minimum or maximum, GET_RES lists the modes.
    model.add(ct, 0x02, Control{1, {}, {}, {0x08}, {0x08}, {0x0F}});
    model.add(ct, 0x04, driven(range(4, 1, 10000, 156)));
    model.add(ct, 0x06, driven(range(2, 0, 255, 0)));
    model.add(ct, 0x08, onOff(true));
    model.add(ct, 0x0B, range(2, 100, 500, 100));
    model.add(ct, 0x0D, panTilt());
    model.add(pu, 0x01, range(2, 0, 2, 1));
    model.add(pu, 0x02, range(2, -64, 64, 0));
    model.add(pu, 0x03, range(2, 0, 100, 50));
    model.add(pu, 0x04, range(2, 0, 100, 10));
    model.add(pu, 0x05, range(1, 0, 2, 1));
    model.add(pu, 0x06, range(2, -40, 40, 0));
    model.add(pu, 0x07, range(2, 0, 128, 64));
    model.add(pu, 0x08, range(2, 0, 6, 2));
    model.add(pu, 0x09, range(2, 72, 500, 100));
    model.add(pu, 0x0A, driven(range(2, 2800, 6500, 4600, 10)));
    model.add(pu, 0x0B, onOff(true));
    model.add(pu, 0x10, onOff(false));
    model.add(pu, 0x13, onOff(false));
    model.add(xu, SimulatedCamera::buttonSelector, vendor({0x00, 0x00, 0x00, 0x00}));
    model.add(xu, SimulatedCamera::firmwareSelector, vendor(std::vector<uint8_t>(11, 0x00)));
    model.setButtonCode(SimulatedCamera::idleButtonCode);
    model.setFirmwareCode(SimulatedCamera::defaultFirmwareCode);
    return model;
}

Control SimulatedControlModel::control(uint8_t unit, uint8_t selector) const {
    return controls.at({unit, selector});
}

void SimulatedControlModel::setControl(uint8_t unit, uint8_t selector, Control control) {
    controls[{unit, selector}] = std::move(control);
}

void SimulatedControlModel::setCurrent(uint8_t unit, uint8_t selector, std::vector<uint8_t> bytes) {
    Control& control = at(unit, selector);
    if (bytes.size() != control.length)
        throw std::invalid_argument("current value of the wrong length");
    control.cur = std::move(bytes);
}

void SimulatedControlModel::setDefault(uint8_t unit, uint8_t selector, std::vector<uint8_t> bytes) {
    Control& control = at(unit, selector);
    if (bytes.size() != control.length)
        throw std::invalid_argument("default value of the wrong length");
    control.def = std::move(bytes);
}

void SimulatedControlModel::flagAutoUpdate() {
    constexpr uint8_t autoUpdate = 0x08;
    for (auto& [key, control] : controls) {
        if (!isVendor(key.first))
            control.info |= autoUpdate;
    }
}

void SimulatedControlModel::setFirmwareCode(uint8_t code) {
    at(SimulatedCamera::extensionUnit, SimulatedCamera::firmwareSelector).cur.at(firmwareOffset) =
        code;
}

void SimulatedControlModel::setButtonCode(uint8_t code) {
    at(SimulatedCamera::extensionUnit, SimulatedCamera::buttonSelector).cur.at(buttonOffset) = code;
}

void SimulatedControlModel::scriptButtonCodes(std::vector<uint8_t> codes) {
    scriptedButtonCodes.assign(codes.begin(), codes.end());
}

bool SimulatedControlModel::accepts(const ControlTransfer& request) const {
    const Control* control = find(request);
    if (!control)
        return false;
    return request.wLength == UVCClassRequest::payloadLength(request.bRequest, control->length);
}

bool SimulatedControlModel::asksErrorCode(const ControlTransfer& request) {
    constexpr uint8_t errorCodeSelector = 0x02;
    return request.bmRequestType == 0xA1 && request.bRequest == getCur && request.wIndex == 0 &&
           request.selector() == errorCodeSelector && request.wLength == 1;
}

void SimulatedControlModel::noteOutcome(const ControlTransfer& request, bool stalled,
                                        std::optional<uint8_t> code) {
    constexpr uint8_t invalidControl = 6, invalidRequest = 7;
    if (asksErrorCode(request))
        return;
    if (!stalled)
        requestErrorCode = 0;
    else
        requestErrorCode = code ? *code : find(request) ? invalidRequest : invalidControl;
}

std::optional<std::vector<uint8_t>> SimulatedControlModel::answer(const ControlTransfer& request) {
    if (asksErrorCode(request))
        return std::vector<uint8_t>{requestErrorCode};
    if (request.bmRequestType != 0xA1 || !accepts(request))
        return std::nullopt;
    const Control& control = *find(request);
    std::vector<uint8_t> value;
    switch (request.bRequest) {
    case getLen:
        return littleEndian(control.length, 2);
    case getInfo:
        return std::vector<uint8_t>{control.info};
    case getMin:
        value = control.min;
        break;
    case getMax:
        value = control.max;
        break;
    case getRes:
        value = control.res;
        break;
    case getDef:
        value = control.def;
        break;
    default:
        value = current(request, control);
    }
    if (value.size() != control.length)
        return std::nullopt; // a value the control does not offer
    return value;
}

bool SimulatedControlModel::apply(const ControlTransfer& request) {
    if (request.bmRequestType != 0x21 || request.bRequest != setCur || !accepts(request) ||
        request.data.size() != request.wLength)
        return false;
    if (!isVendor(request.unit()))
        at(request.unit(), request.selector()).cur = request.data;
    return true;
}

std::vector<uint8_t> SimulatedControlModel::current(const ControlTransfer& request,
                                                    const Control& control) {
    std::vector<uint8_t> value = control.cur;
    bool button = isVendor(request.unit()) && request.selector() == SimulatedCamera::buttonSelector;
    if (button && !scriptedButtonCodes.empty() && value.size() > buttonOffset) {
        value[buttonOffset] = scriptedButtonCodes.front();
        scriptedButtonCodes.pop_front();
    }
    return value;
}

void SimulatedControlModel::add(uint8_t unit, uint8_t selector, Control control) {
    controls.emplace(Key{unit, selector}, std::move(control));
}

const Control* SimulatedControlModel::find(const ControlTransfer& request) const {
    if ((request.wIndex & 0xFF) != 0)
        return nullptr; // only the video-control interface has controls
    auto it = controls.find({request.unit(), request.selector()});
    return it == controls.end() ? nullptr : &it->second;
}

Control& SimulatedControlModel::at(uint8_t unit, uint8_t selector) {
    return controls.at({unit, selector});
}

} // namespace sim
