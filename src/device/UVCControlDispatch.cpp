#include "device/UVCControlDispatch.h"

#include "device/CaseIndexedTable.h"
#include "device/UVCDevice.h"

#include <array>
#include <tuple>

namespace device {

namespace {

using D = UVCDevice;
using R = UVCRangeControl;
using S = UVCStateControl;

constexpr std::array<UVCControlDispatch::Range, 16> ranges = {{
    {R::brightness, &D::getBrightness, &D::setBrightness},
    {R::contrast, &D::getContrast, &D::setContrast},
    {R::saturation, &D::getSaturation, &D::setSaturation},
    {R::sharpness, &D::getSharpness, &D::setSharpness},
    {R::gamma, &D::getGamma, &D::setGamma},
    {R::hue, &D::getHue, &D::setHue},
    {R::whiteBalance, &D::getWhiteBalanceTemp, &D::setWhiteBalanceTemp},
    {R::autoExposureMode, &D::getAutoExposureModeIndex, &D::setAutoExposureModeWithIndex},
    {R::exposureTime, &D::getExposureAbs, &D::setExposureAbs},
    {R::gain, &D::getGain, &D::setGain},
    {R::zoom, &D::getZoomAbs, &D::setZoomAbs},
    {R::pan, &D::getPan, &D::setPan},
    {R::tilt, &D::getTilt, &D::setTilt},
    {R::focus, &D::getFocusAbs, &D::setFocusAbs},
    {R::backlightCompensation, &D::getBacklightCompensation, &D::setBacklightCompensation},
    {R::powerLineFrequency, &D::getPowerLineFrequency, &D::setPowerLineFrequency},
}};

constexpr std::array<UVCControlDispatch::State, 3> states = {{
    {S::autoHue, &D::getAutoHue, &D::setAutoHue},
    {S::autoFocus, &D::getAutoFocus, &D::setAutoFocus},
    {S::autoWhiteBalanceTemp, &D::getAutoWhiteBalanceTemp, &D::setAutoWhiteBalanceTemp},
}};

static_assert(indexedByCase<&UVCControlDispatch::Range::control>(
    ranges, std::tuple_size_v<decltype(UVCRangeControl::allCases)>));
static_assert(indexedByCase<&UVCControlDispatch::State::control>(
    states, std::tuple_size_v<decltype(UVCStateControl::allCases)>));

} // namespace

const UVCControlDispatch::Range& UVCControlDispatch::range(UVCRangeControl control) {
    return ranges[static_cast<UVCRangeControl::Case>(control)];
}

const UVCControlDispatch::State& UVCControlDispatch::state(UVCStateControl control) {
    return states[static_cast<UVCStateControl::Case>(control)];
}

} // namespace device
