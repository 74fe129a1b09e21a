#pragma once
// One V4L2 control as the kernel's video driver maps it onto a control of the simulated
// camera: its id, name, type, the bytes it occupies, its menu and the automatic mode that
// governs it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

struct SimulatedVideoControl {
    enum class Type { integer, boolean, menu };
    struct MenuEntry {
        int32_t value; // the camera's byte
        std::string name;
    };

    uint32_t id;
    std::string name;
    Type type;
    uint8_t unit;
    uint8_t selector;
    uint8_t offset; // bytes within the camera's value
    uint8_t length;
    bool isSigned;
    std::vector<MenuEntry> menu;
    bool hasRange;            // the driver reads GET_MIN/MAX/RES, not only GET_DEF
    bool menuIsBitmask;       // entries the camera's GET_RES lacks are not offered
    uint32_t masterId = 0;    // the automatic mode that governs it
    int32_t masterManual = 0; // the master's V4L2 value in which it may be written

    // The mappings of drivers/media/usb/uvc/uvc_ctrl.c for the VISTREL camera's controls, in
    // the order of their ids.
    static const std::vector<SimulatedVideoControl>& all();
    static const SimulatedVideoControl* find(uint32_t id);
    // The first control whose id is greater than `id`.
    static const SimulatedVideoControl* next(uint32_t id);

    // This control's V4L2 value within the camera's bytes, and the bytes with it changed.
    int32_t read(const std::vector<uint8_t>& bytes) const;
    void write(int32_t value, std::vector<uint8_t>& bytes) const;
    // Menu index of a camera value (the value itself when no entry has it), and back.
    int32_t toV4l2(int32_t value) const;
    std::optional<int32_t> fromV4l2(int32_t value) const;
};

} // namespace sim
