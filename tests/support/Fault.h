#pragma once
// A fault a simulated camera applies to the control transfers it matches; an unset filter
// matches any value.

#include <cstdint>
#include <optional>

namespace sim {

enum class FaultKind { stall, shortReply, disconnect, timeout, delay };

struct Fault {
    FaultKind kind = FaultKind::stall;
    int shortLength = 0; // shortReply: bytes answered
    int delayMs = 0;     // delay: the answer comes this late
    bool once = false;   // applies to the first matching transfer only
    // stall: what the camera's request-error-code control answers afterwards (UVC: 0 no error,
    // 1 not ready, 2 wrong state, 3 power, 4 out of range, 5 invalid unit, 6 invalid control,
    // 7 invalid request, 8 invalid value within range)
    uint8_t errorCode = 0;
    std::optional<uint8_t> bRequest{};
    std::optional<uint8_t> unit{};
    std::optional<uint8_t> selector{};
};

} // namespace sim
