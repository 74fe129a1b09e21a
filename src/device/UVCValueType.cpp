#include "device/UVCValueType.h"

#include "device/UVCRequest.h"

#include <array>

uint8_t UVCValueType::requestCode() const {
    static constexpr std::array<uint8_t, 4> codes = {UVCRequest::getMin, UVCRequest::getMax,
                                                     UVCRequest::getDef, UVCRequest::getCur};
    return codes[value];
}
