#pragma once
// One control of a unit of a simulated camera: its length and the answers to
// GET_MIN/MAX/DEF/CUR/RES.

#include <cstdint>
#include <vector>

namespace sim {

struct Control {
    uint16_t length = 0;
    std::vector<uint8_t> min{}, max{}, def{}, cur{}, res{};
};

} // namespace sim
