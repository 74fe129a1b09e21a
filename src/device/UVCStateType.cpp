#include "device/UVCStateType.h"

#include "device/CaseIndexedTable.h"
#include "device/UVCRequest.h"

#include <array>

namespace device {

namespace {

struct RequestCode {
    UVCStateType::Case type;
    uint8_t code;
};

// The row of a case at the case's index.
constexpr std::array<RequestCode, 2> requestCodes = {{
    {UVCStateType::defaultValue, UVCRequest::getDef},
    {UVCStateType::current, UVCRequest::getCur},
}};

static_assert(indexedByCase<&RequestCode::type>(requestCodes, 2));

} // namespace

uint8_t UVCStateType::requestCode() const {
    return requestCodes[value].code;
}

} // namespace device
