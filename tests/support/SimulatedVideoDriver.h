#pragma once
// The kernel's video driver bound to a simulated camera, as its video node answers: V4L2
// controls mapped onto the camera's controls and the extension-unit query, each request sent to
// the camera's endpoint 0 and logged there with the video-node route. Answers 0 or an errno.

#include "support/UsbDescriptors.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <linux/videodev2.h>

namespace sim {

class SimulatedControlEndpoint;
struct SimulatedVideoControl;

// Follows drivers/media/usb/uvc (uvc_ctrl.c, uvc_v4l2.c, uvc_video.c) as Debian 12's kernel has
// it. At probe (each plug) it asks GET_INFO of every mapped control and adds the camera's get,
// set and auto-update bits to the flags of its own table. It caches: GET_DEF/MIN/MAX/RES once,
// GET_CUR once until a request ends, except for auto-update controls (uvc_ctrl_commit_entity
// clears their `loaded` flag at the end of every G/S/TRY_EXT_CTRLS), and a written value is what
// later reads return. A mapping narrower than its control (exposure mode 4 bits, power line 2,
// switches 1) is read through its bits and written read-modify-write. A write of a control whose
// automatic mode is on is refused (EACCES); integers are rounded to the step and clamped; a menu
// index out of the menu is ERANGE. The power-line menu has 3 = Auto for UVC 1.5 cameras.
// The extension unit follows uvc_xu_ctrl_query, a stall is answered by the camera's
// request-error-code control (uvc_query_ctrl), and a request the camera never completes fails
// with ETIMEDOUT after the driver's control timeout.
class SimulatedVideoDriver {
public:
    // UVC_CTRL_CONTROL_TIMEOUT
    static constexpr std::chrono::milliseconds defaultTimeout{5000};

    explicit SimulatedVideoDriver(std::shared_ptr<SimulatedControlEndpoint> endpoint);

    // The driver binds to a freshly plugged camera: nodes named, caches dropped, flags read.
    void probe();
    // The name of the camera's nodes (sysfs `name`, QUERYCAP's card), as the last probe gave it.
    const std::string& name() const { return nodeName; }
    // How long the driver waits for the camera (the only seam a test may shorten).
    std::chrono::milliseconds timeout() const { return controlTimeout; }
    void setTimeout(std::chrono::milliseconds wait) { controlTimeout = wait; }

    int queryControl(v4l2_query_ext_ctrl& query);
    int queryMenu(v4l2_querymenu& menu);
    int getControls(std::span<v4l2_ext_control> controls, uint32_t& errorIndex);
    // All or nothing: every control is checked before the first is written.
    int setControls(std::span<v4l2_ext_control> controls, bool tryOnly, uint32_t& errorIndex);
    int queryExtensionUnit(uint8_t unit, uint8_t selector, uint8_t query,
                           std::vector<uint8_t>& data);

private:
    using Key = std::pair<uint8_t, uint8_t>;
    // What the driver holds of one camera control (struct uvc_control).
    struct Held {
        uint16_t size = 0;
        bool get = true, set = true, autoUpdate = false, hasRange = false, hasRes = false;
        bool loaded = false, cached = false, dirty = false;
        std::vector<uint8_t> cur{}, backup{}, def{}, min{}, max{}, res{};
    };
    // An extension-unit control once the driver asked its GET_LEN and GET_INFO.
    struct ExtensionControl {
        uint16_t size;
        uint8_t info;
    };

    Held& held(const SimulatedVideoControl& control);
    int current(const SimulatedVideoControl& control, int32_t& value);
    int populate(Held& control, uint8_t unit, uint8_t selector);
    int32_t limit(const SimulatedVideoControl& control, std::vector<uint8_t> Held::*bytes);
    int accessible(const SimulatedVideoControl& control, std::span<v4l2_ext_control> controls);
    int set(const SimulatedVideoControl& control, v4l2_ext_control& value);
    int endRequest(bool commit);
    int initExtension(uint8_t selector);
    // uvc_query_ctrl: 0, or the errno of a failed request (a stall mapped through the camera's
    // request-error-code control).
    int query(uint8_t bRequest, uint8_t unit, uint8_t selector, std::vector<uint8_t>& data);
    // __uvc_query_ctrl: the bytes moved, or -errno.
    int send(uint8_t bRequest, uint8_t unit, uint8_t selector, std::vector<uint8_t>& data);

    const std::shared_ptr<SimulatedControlEndpoint> endpoint;
    std::atomic<std::chrono::milliseconds> controlTimeout{defaultTimeout}; // set by the test thread
    UsbDescriptors::VideoControl facts;
    std::string nodeName;
    std::map<Key, Held> controls;
    std::map<uint8_t, ExtensionControl> extension;
};

} // namespace sim
