#pragma once
// The kernel's video driver bound to a simulated camera, as its video node answers: V4L2
// controls mapped onto the camera's controls and the extension-unit query, each request sent to
// the camera's endpoint 0 and logged there with the video-node route. Answers 0 or an errno.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include <linux/videodev2.h>

namespace sim {

class SimulatedControlEndpoint;
struct SimulatedVideoControl;

// Follows drivers/media/usb/uvc (uvc_ctrl.c, uvc_v4l2.c) as Debian 12's kernel has it: a range
// is read with GET_DEF, GET_MIN, GET_MAX, GET_RES; a short answer is a failure (EPIPE); a write
// of a control whose automatic mode is on is refused (EACCES); integers are rounded to the step
// and clamped to the range. It keeps no cache of its own: the checks read the camera's model,
// every answer asks the camera.
class SimulatedVideoDriver {
public:
    explicit SimulatedVideoDriver(std::shared_ptr<SimulatedControlEndpoint> endpoint);

    int queryControl(v4l2_query_ext_ctrl& query);
    int queryMenu(v4l2_querymenu& menu);
    int getControl(uint32_t id, int32_t& value);
    // All or nothing: every control is checked before the first is written.
    int setControls(std::span<v4l2_ext_control> controls, bool tryOnly, uint32_t& errorIndex);
    int queryExtensionUnit(uint8_t unit, uint8_t selector, uint8_t query,
                           std::vector<uint8_t>& data);

private:
    int request(uint8_t bRequest, uint8_t unit, uint8_t selector, std::vector<uint8_t>& data);
    int length(uint8_t unit, uint8_t selector, uint16_t& length) const;
    std::vector<uint8_t> modelValue(const SimulatedVideoControl& control, uint8_t kind) const;
    int32_t masterValue(const SimulatedVideoControl& control) const;
    int checked(const SimulatedVideoControl& control, std::span<v4l2_ext_control> controls,
                int32_t& value) const;

    const std::shared_ptr<SimulatedControlEndpoint> endpoint;
};

} // namespace sim
