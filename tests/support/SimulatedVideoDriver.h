#pragma once
// The kernel's video driver bound to a simulated camera, as its video node answers: V4L2
// controls mapped onto the camera's controls and the extension-unit query, each request sent to
// the camera's endpoint 0 and logged there with the video-node route.

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

// Follows drivers/media/usb/uvc (uvc_driver.c, uvc_ctrl.c, uvc_v4l2.c, uvc_video.c) of Linux
// 6.1.194, the kernel of Debian 12. At probe (each plug) it names the nodes from the descriptors
// and asks GET_INFO of every mapped control: the camera's get, set and auto-update bits replace
// those of the driver's table, which stand only when GET_INFO fails. A control is read only if it
// has GET_CUR and written only if it has SET_CUR (else EACCES). It caches: GET_DEF/MIN/MAX/RES
// once, GET_CUR once until a request ends, except for auto-update controls
// (uvc_ctrl_commit_entity clears their `loaded` flag at the end of every G/S/TRY_EXT_CTRLS), and
// a written value is what later reads return. A mapping narrower than its control (exposure mode
// 4 bits, power line 2, switches 1) is read through its bits and written read-modify-write. A
// write of a control whose automatic mode is on is refused (EACCES); integers are rounded to the
// step and clamped; a menu index out of the menu is ERANGE. The power-line menu has 3 = Auto for
// UVC 1.5 cameras. A stall is answered by the camera's request-error-code control
// (uvc_query_ctrl), and a request the camera never completes fails with ETIMEDOUT after the
// driver's control timeout. A short reply counts as an answer: a standard control's value is
// decoded from the bytes the camera sent over what the driver held before, and the
// extension-unit query hands the byte count and the driver's whole buffer to user space.
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

    // The V4L2 control ioctls: 0 or an errno.
    int queryControl(v4l2_query_ext_ctrl& query);
    int queryMenu(v4l2_querymenu& menu);
    int getControls(std::span<v4l2_ext_control> controls, uint32_t& errorIndex);
    // All or nothing: every control is checked before the first is written.
    int setControls(std::span<v4l2_ext_control> controls, bool tryOnly, uint32_t& errorIndex);
    // UVCIOC_CTRL_QUERY (uvc_xu_ctrl_query): what the ioctl returns, 0 for a whole reply, the
    // byte count of a short one, or -errno. Unless it failed, `data` is the driver's whole buffer
    // afterwards: beyond a short reply, what the buffer held before.
    int queryExtensionUnit(uint8_t unit, uint8_t selector, uint8_t query,
                           std::vector<uint8_t>& data);

private:
    using Key = std::pair<uint8_t, uint8_t>;
    // What the driver holds of one camera control (struct uvc_control): the flags of its
    // uvc_control_info and its values, zero until read.
    struct Held {
        uint16_t size = 0;
        bool getCur = true, setCur = true, autoUpdate = false;
        bool hasRange = false, getRes = false; // GET_DEF is flagged for every mapped control
        bool loaded = false, cached = false, dirty = false;
        std::vector<uint8_t> cur{}, backup{}, def{}, min{}, max{}, res{};
    };
    // An extension-unit control once the driver asked its GET_LEN and GET_INFO.
    struct ExtensionControl {
        uint16_t size;
        uint8_t info;
    };

    void hold(const SimulatedVideoControl& mapping);
    Held& held(const SimulatedVideoControl& control);
    int current(const SimulatedVideoControl& control, int32_t& value);
    int load(const SimulatedVideoControl& control, Held& state);
    int populate(Held& control, uint8_t unit, uint8_t selector);
    int32_t limit(const SimulatedVideoControl& control, std::vector<uint8_t> Held::*bytes);
    int readable(std::span<v4l2_ext_control> controls, uint32_t& errorIndex);
    int accessible(const SimulatedVideoControl& control, std::span<v4l2_ext_control> controls,
                   bool tryOnly);
    int set(const SimulatedVideoControl& control, v4l2_ext_control& value);
    int endRequest(bool commit);
    int initExtension(uint8_t selector);
    // uvc_query_ctrl: 0, the byte count of a short reply, or -errno (a stall mapped through the
    // camera's request-error-code control). The reply's bytes are written over `data`.
    int query(uint8_t bRequest, uint8_t unit, uint8_t selector, std::vector<uint8_t>& data);
    // __uvc_query_ctrl: the bytes moved, or -errno.
    int send(uint8_t bRequest, uint8_t unit, uint8_t selector, std::vector<uint8_t>& data);
    // kmalloc and kfree: a buffer holds what the last one of its slab size held when it was
    // freed (never used: the slab's poison), as the allocator hands the last freed object out
    // first.
    std::vector<uint8_t> allocate(size_t size);
    void release(const std::vector<uint8_t>& buffer);
    std::vector<uint8_t>& slabObject(size_t size);

    const std::shared_ptr<SimulatedControlEndpoint> endpoint;
    std::atomic<std::chrono::milliseconds> controlTimeout{defaultTimeout}; // set by the test thread
    UsbDescriptors::VideoControl facts;
    std::string nodeName;
    std::map<Key, Held> controls;
    std::vector<Key> chain; // the controls in the order the driver commits them
    std::map<uint8_t, ExtensionControl> extension;
    std::map<size_t, std::vector<uint8_t>> freed; // by slab size
};

} // namespace sim
