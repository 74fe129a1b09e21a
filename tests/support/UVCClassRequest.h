#pragma once
// The codes of the UVC class requests a camera answers for a control, and the length of the
// payload each one moves.

#include <cstdint>
#include <optional>

namespace sim {

struct UVCClassRequest {
    enum Code : uint8_t {
        setCur = 0x01,
        getCur = 0x81,
        getMin = 0x82,
        getMax = 0x83,
        getRes = 0x84,
        getLen = 0x85,
        getInfo = 0x86,
        getDef = 0x87,
    };

    // The payload of `bRequest` on a control of `controlLength` bytes: GET_LEN moves two bytes,
    // GET_INFO one, the value requests the control's length. None for any other request.
    static constexpr std::optional<uint16_t> payloadLength(uint8_t bRequest,
                                                           uint16_t controlLength) {
        switch (bRequest) {
        case getLen:
            return 2;
        case getInfo:
            return 1;
        case setCur:
        case getCur:
        case getMin:
        case getMax:
        case getRes:
        case getDef:
            return controlLength;
        default:
            return std::nullopt;
        }
    }
};

} // namespace sim
