#include "device/UVCControlDispatch.h"

#include "device/UVCDevice.h"

#include <array>

namespace {

using D = UVCDevice;

const std::array<UVCControlDispatch::Range, 16> ranges = {{
    {&D::getBrightness, &D::setBrightness},
    {&D::getContrast, &D::setContrast},
    {&D::getSaturation, &D::setSaturation},
    {&D::getSharpness, &D::setSharpness},
    {&D::getGamma, &D::setGamma},
    {&D::getHue, &D::setHue},
    {&D::getWhiteBalanceTemp, &D::setWhiteBalanceTemp},
    {&D::getAutoExposureModeIndex, &D::setAutoExposureModeWithIndex},
    {&D::getExposureAbs, &D::setExposureAbs},
    {&D::getGain, &D::setGain},
    {&D::getZoomAbs, &D::setZoomAbs},
    {&D::getPan, &D::setPan},
    {&D::getTilt, &D::setTilt},
    {&D::getFocusAbs, &D::setFocusAbs},
    {&D::getBacklightCompensation, &D::setBacklightCompensation},
    {&D::getPowerLineFrequency, &D::setPowerLineFrequency},
}};

const std::array<UVCControlDispatch::State, 3> states = {{
    {&D::getAutoHue, &D::setAutoHue},
    {&D::getAutoFocus, &D::setAutoFocus},
    {&D::getAutoWhiteBalanceTemp, &D::setAutoWhiteBalanceTemp},
}};

} // namespace

const UVCControlDispatch::Range& UVCControlDispatch::range(UVCRangeControl control) {
    return ranges[static_cast<UVCRangeControl::Case>(control)];
}

const UVCControlDispatch::State& UVCControlDispatch::state(UVCStateControl control) {
    return states[static_cast<UVCStateControl::Case>(control)];
}
