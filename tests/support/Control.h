#pragma once
// One control of a unit of a simulated camera: its length and the answers to
// GET_MIN/MAX/DEF/CUR/RES and GET_INFO (bit 0 get, 1 set, 2 disabled by an automatic mode, 3
// auto-update: the camera changes the value by itself).

#include <cstdint>
#include <vector>

namespace sim {

struct Control {
    uint16_t length = 0;
    std::vector<uint8_t> min{}, max{}, def{}, cur{}, res{};
    uint8_t info = 0x03;
};

} // namespace sim
