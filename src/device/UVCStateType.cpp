#include "device/UVCStateType.h"

#include "device/UVCRequest.h"

#include <array>

uint8_t UVCStateType::requestCode() const {
    static constexpr std::array<uint8_t, 2> codes = {UVCRequest::getDef, UVCRequest::getCur};
    return codes[value];
}
