// UVCDevice: the getter and setter of each camera control, the reset to the defaults, and the
// dispatch by control kind.
#include "device/UVCDevice.h"

#include "device/UVCControl.h"
#include "device/UVCControlDispatch.h"

#include <libusb.h>

#include <array>

namespace device {

namespace {

// One step of a reset; `governedByMode`: the driver refuses the control's write while the
// control's automatic mode is on, a mode that the reset writes after it.
struct ResetStep {
    void (*restore)(UVCDevice&);
    bool governedByMode = false;
};

// The kind of read that asks a getter for its control's default.
template <typename Value, typename Kind>
constexpr Kind defaultKind(std::optional<Value> (UVCDevice::*)(Kind)) {
    return Kind::defaultValue;
}

// Reads a control's default through `get` and, when it can be read, writes it back through
// `set`.
template <auto get, auto set> void restoreDefault(UVCDevice& device) {
    if (const auto value = (device.*get)(defaultKind(get))) {
        (device.*set)(*value);
    }
}

} // namespace

// Control requests

std::optional<int64_t> UVCDevice::getBrightness(ValueType type) {
    return readInteger(UVCControl::brightness, type.requestCode());
}

bool UVCDevice::setBrightness(int64_t value) {
    return writeInteger(UVCControl::brightness, value);
}

std::optional<bool> UVCDevice::getAutoContrast(StateType type) {
    return readFlag(UVCControl::autoContrast, type.requestCode());
}

bool UVCDevice::setAutoContrast(bool value) {
    return writeInteger(UVCControl::autoContrast, value ? 1 : 0);
}

std::optional<int64_t> UVCDevice::getContrast(ValueType type) {
    return readInteger(UVCControl::contrast, type.requestCode());
}

bool UVCDevice::setContrast(int64_t value) {
    return writeInteger(UVCControl::contrast, value);
}

std::optional<int64_t> UVCDevice::getSharpness(ValueType type) {
    return readInteger(UVCControl::sharpness, type.requestCode());
}

bool UVCDevice::setSharpness(int64_t value) {
    return writeInteger(UVCControl::sharpness, value);
}

std::optional<int64_t> UVCDevice::getSaturation(ValueType type) {
    return readInteger(UVCControl::saturation, type.requestCode());
}

bool UVCDevice::setSaturation(int64_t value) {
    return writeInteger(UVCControl::saturation, value);
}

std::optional<int64_t> UVCDevice::getGamma(ValueType type) {
    return readInteger(UVCControl::gamma, type.requestCode());
}

bool UVCDevice::setGamma(int64_t value) {
    return writeInteger(UVCControl::gamma, value);
}

bool UVCDevice::setAutoHue(bool value) {
    return writeInteger(UVCControl::autoHue, value ? 1 : 0);
}

std::optional<int64_t> UVCDevice::getHue(ValueType type) {
    return readInteger(UVCControl::hue, type.requestCode());
}

bool UVCDevice::setHue(int64_t value) {
    return writeInteger(UVCControl::hue, value);
}

std::optional<UVCDevice::AutoExposureMode> UVCDevice::getAutoExposureMode(StateType type) {
    const auto bytes = readControl(UVCControl::autoExposureMode, type.requestCode());
    if (!bytes) {
        return std::nullopt;
    }
    return AutoExposureMode::fromRawValue(bytes->front());
}

bool UVCDevice::setAutoExposureMode(AutoExposureMode mode) {
    return writeInteger(UVCControl::autoExposureMode, mode.rawValue());
}

std::optional<int64_t> UVCDevice::getAutoExposureModeIndex(ValueType type) {
    if (type == ValueType::minimum) {
        return 0;
    }
    if (type == ValueType::maximum) {
        return static_cast<int64_t>(AutoExposureMode::allCases.size()) - 1;
    }
    const auto mode = getAutoExposureMode(type == ValueType::defaultValue ? StateType::defaultValue
                                                                          : StateType::current);
    if (!mode) {
        return std::nullopt;
    }
    return mode->index();
}

bool UVCDevice::setAutoExposureModeWithIndex(int64_t index) {
    const auto mode = AutoExposureMode::fromIndex(index);
    return mode && setAutoExposureMode(*mode);
}

std::optional<int64_t> UVCDevice::getExposureAbs(ValueType type) {
    return readInteger(UVCControl::exposureAbs, type.requestCode());
}

bool UVCDevice::setExposureAbs(int64_t value) {
    return writeInteger(UVCControl::exposureAbs, value);
}

std::optional<int64_t> UVCDevice::getGain(ValueType type) {
    return readInteger(UVCControl::gain, type.requestCode());
}

bool UVCDevice::setGain(int64_t value) {
    return writeInteger(UVCControl::gain, value);
}

std::optional<bool> UVCDevice::getAutoWhiteBalanceTemp(StateType type) {
    return readFlag(UVCControl::autoWhiteBalanceTemp, type.requestCode());
}

bool UVCDevice::setAutoWhiteBalanceTemp(bool value) {
    return writeInteger(UVCControl::autoWhiteBalanceTemp, value ? 1 : 0);
}

std::optional<int64_t> UVCDevice::getWhiteBalanceTemp(ValueType type) {
    return readInteger(UVCControl::whiteBalanceTemp, type.requestCode());
}

bool UVCDevice::setWhiteBalanceTemp(int64_t value) {
    return writeInteger(UVCControl::whiteBalanceTemp, value);
}

bool UVCDevice::setAutoFocus(bool value) {
    return writeInteger(UVCControl::autoFocus, value ? 1 : 0);
}

bool UVCDevice::setFocusAbs(int64_t value) {
    return writeUnsigned16(UVCControl::focusAbs, value);
}

bool UVCDevice::setZoomAbs(int64_t value) {
    return writeUnsigned16(UVCControl::zoomAbs, value);
}

std::optional<UVCDevice::PanTilt> UVCDevice::getPanTilt(ValueType type) {
    const auto bytes = readControl(UVCControl::panTiltAbs, type.requestCode());
    if (!bytes) {
        return std::nullopt;
    }
    const std::span<const uint8_t> all(*bytes);
    return PanTilt{UVCControl::signedValue(all.first(4)), UVCControl::signedValue(all.last(4))};
}

bool UVCDevice::setPanTilt(int64_t pan, int64_t tilt) {
    std::vector<uint8_t> payload = UVCControl::littleEndian(pan, 4);
    const std::vector<uint8_t> tiltBytes = UVCControl::littleEndian(tilt, 4);
    payload.insert(payload.end(), tiltBytes.begin(), tiltBytes.end());
    return writeControl(UVCControl::panTiltAbs, std::move(payload));
}

std::optional<int64_t> UVCDevice::getBacklightCompensation(ValueType type) {
    return readInteger(UVCControl::backlightCompensation, type.requestCode());
}

bool UVCDevice::setBacklightCompensation(int64_t value) {
    return writeInteger(UVCControl::backlightCompensation, value);
}

std::optional<int64_t> UVCDevice::getPowerLineFrequency(ValueType type) {
    return readInteger(UVCControl::powerLineFrequency, type.requestCode());
}

bool UVCDevice::setPowerLineFrequency(int64_t value) {
    return writeInteger(UVCControl::powerLineFrequency, value);
}

void UVCDevice::resetAll() {
    using D = UVCDevice;
    // One row per step, in the order of the writes.
    static constexpr std::array<ResetStep, 13> steps = {{
        {&restoreDefault<&D::getBrightness, &D::setBrightness>},
        {&restoreDefault<&D::getContrast, &D::setContrast>},
        {&restoreDefault<&D::getSharpness, &D::setSharpness>},
        {&restoreDefault<&D::getSaturation, &D::setSaturation>},
        {&restoreDefault<&D::getGamma, &D::setGamma>},
        {&restoreDefault<&D::getHue, &D::setHue>},
        {&restoreDefault<&D::getExposureAbs, &D::setExposureAbs>, true},
        {&restoreDefault<&D::getGain, &D::setGain>},
        {&restoreDefault<&D::getWhiteBalanceTemp, &D::setWhiteBalanceTemp>, true},
        {&restoreDefault<&D::getBacklightCompensation, &D::setBacklightCompensation>},
        {&restoreDefault<&D::getPowerLineFrequency, &D::setPowerLineFrequency>},
        {&restoreDefault<&D::getAutoExposureMode, &D::setAutoExposureMode>},
        {&restoreDefault<&D::getAutoWhiteBalanceTemp, &D::setAutoWhiteBalanceTemp>},
    }};
    std::vector<const ResetStep*> refused;
    for (const ResetStep& step : steps) {
        lastWrite.reset();
        step.restore(*this);
        if (step.governedByMode && refusedByDriver()) {
            refused.push_back(&step);
        }
    }
    // The modes are written now: what the driver refused under the modes it found is written
    // again.
    for (const ResetStep* step : refused) {
        step->restore(*this);
    }
}

// Only the driver refuses a write for access (EACCES): usbfs answers a transfer that cannot be
// made with another error, so the usbfs route never writes a control twice.
bool UVCDevice::refusedByDriver() const {
    return lastWrite == LIBUSB_ERROR_ACCESS;
}

// Dispatch by control kind

std::optional<int64_t> UVCDevice::getValue(UVCRangeControl control, ValueType type) {
    return (this->*UVCControlDispatch::range(control).get)(type);
}

bool UVCDevice::setValue(int64_t value, UVCRangeControl control) {
    return (this->*UVCControlDispatch::range(control).set)(value);
}

std::optional<bool> UVCDevice::getState(UVCStateControl control, StateType type) {
    return (this->*UVCControlDispatch::state(control).get)(type);
}

bool UVCDevice::setState(bool value, UVCStateControl control) {
    return (this->*UVCControlDispatch::state(control).set)(value);
}

} // namespace device
