#include "device/UVCAutoExposureMode.h"

#include <algorithm>

namespace device {

const std::array<UVCAutoExposureMode, 4> UVCAutoExposureMode::allCases = {
    manual,
    auto_,
    shutterPriority,
    aperturePriority,
};

std::optional<UVCAutoExposureMode> UVCAutoExposureMode::fromRawValue(uint8_t rawValue) {
    for (UVCAutoExposureMode mode : allCases) {
        if (mode.rawValue() == rawValue) {
            return mode;
        }
    }
    return std::nullopt;
}

std::optional<UVCAutoExposureMode> UVCAutoExposureMode::fromIndex(int64_t index) {
    if (index < 0 || index >= static_cast<int64_t>(allCases.size())) {
        return std::nullopt;
    }
    return allCases[static_cast<size_t>(index)];
}

int64_t UVCAutoExposureMode::index() const {
    return std::find(allCases.begin(), allCases.end(), *this) - allCases.begin();
}

} // namespace device
