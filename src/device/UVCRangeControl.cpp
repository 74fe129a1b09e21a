#include "device/UVCRangeControl.h"

namespace device {

const std::array<UVCRangeControl, 16> UVCRangeControl::allCases = {
    brightness,
    contrast,
    saturation,
    sharpness,
    gamma,
    hue,
    whiteBalance,
    autoExposureMode,
    exposureTime,
    gain,
    zoom,
    pan,
    tilt,
    focus,
    backlightCompensation,
    powerLineFrequency,
};

} // namespace device
