#pragma once
// One V4L2 control as the kernel's video driver maps it onto a control of the simulated
// camera: its id, name (v4l2_ctrl_get_name's), type, the bits it occupies, its menu, the requests
// the driver's table says the control takes and the automatic mode that governs it.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sim {

struct SimulatedVideoControl {
    enum class Type { integer, boolean, menu };
    struct MenuEntry {
        int32_t value; // the camera's byte
        std::string name;
        uint16_t sinceUvc = 0; // offered only to cameras of this UVC version (bcdUVC) or later
    };

    uint32_t id;
    std::string name;
    Type type;
    uint8_t unit;
    uint8_t selector;
    uint8_t offset; // bytes within the camera's value
    uint8_t bits;   // the width the driver reads and writes, from the lowest bit of `offset`
    bool isSigned;
    std::vector<MenuEntry> menu;
    bool hasRange;            // the driver reads GET_MIN/MAX/RES, not only GET_DEF
    bool menuIsBitmask;       // entries the camera's GET_RES lacks are not offered
    uint32_t masterId = 0;    // the automatic mode that governs it
    int32_t masterManual = 0; // the master's V4L2 value in which it may be written
    // The driver's own table flags the control auto-update (read from the camera on every
    // request). The camera's GET_INFO replaces the flag: it stands only when GET_INFO fails.
    bool autoUpdate = false;

    // The mappings of drivers/media/usb/uvc/uvc_ctrl.c for the VISTREL camera's controls, in
    // the order of their ids.
    static const std::vector<SimulatedVideoControl>& all();
    static const SimulatedVideoControl* find(uint32_t id);
    // The first control whose id is greater than `id`.
    static const SimulatedVideoControl* next(uint32_t id);
    // Where the driver keeps a camera control (a unit's control of `selector`) among the others:
    // its units in the order of the chain from the output terminal back to the camera terminal,
    // the processing unit before the camera terminal, and in each unit its controls by their bit
    // in the unit's bmControls (uvc_ctrls' index).
    static std::pair<int, int> chainOrder(uint8_t unit, uint8_t selector);

    // This control's bits of the camera's bytes as a number, and the bytes with only those
    // bits changed (uvc_get_le_value, uvc_set_le_value).
    int32_t read(const std::vector<uint8_t>& bytes) const;
    void write(int32_t value, std::vector<uint8_t>& bytes) const;
    // The menu a camera of this UVC version is offered.
    std::vector<MenuEntry> menuFor(uint16_t uvcVersion) const;
    // Menu index of a camera value (the value itself when no entry has it), and back.
    int32_t toV4l2(int32_t value, uint16_t uvcVersion) const;
    std::optional<int32_t> fromV4l2(int32_t value, uint16_t uvcVersion) const;
};

} // namespace sim
