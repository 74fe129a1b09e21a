#include "device/UVCValueType.h"

#include "device/CaseIndexedTable.h"
#include "device/UVCRequest.h"

#include <array>

namespace device {

namespace {

struct RequestCode {
    UVCValueType::Case type;
    uint8_t code;
};

// The row of a case at the case's index.
constexpr std::array<RequestCode, 4> requestCodes = {{
    {UVCValueType::minimum, UVCRequest::getMin},
    {UVCValueType::maximum, UVCRequest::getMax},
    {UVCValueType::defaultValue, UVCRequest::getDef},
    {UVCValueType::current, UVCRequest::getCur},
}};

static_assert(indexedByCase<&RequestCode::type>(requestCodes, 4));

} // namespace

uint8_t UVCValueType::requestCode() const {
    return requestCodes[value].code;
}

} // namespace device
