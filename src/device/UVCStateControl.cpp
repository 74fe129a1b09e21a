#include "device/UVCStateControl.h"

namespace device {

const std::array<UVCStateControl, 3> UVCStateControl::allCases = {
    autoHue,
    autoFocus,
    autoWhiteBalanceTemp,
};

} // namespace device
