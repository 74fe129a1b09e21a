#include "device/UVCStateControl.h"

const std::array<UVCStateControl, 3> UVCStateControl::allCases = {
    autoHue,
    autoFocus,
    autoWhiteBalanceTemp,
};
