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
    std::optional<uint8_t> bRequest{};
    std::optional<uint8_t> unit{};
    std::optional<uint8_t> selector{};
};

} // namespace sim
