#include "support/VideoDeviceNode.h"

#include "support/ResolvedIoctlData.h"

#include <linux/uvcvideo.h>
#include <umockdev.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

namespace sim {

namespace {

// The ioctl's argument as a structure of the client's memory.
template <typename T> struct Argument : ResolvedIoctlData {
    explicit Argument(UMockdevIoctlClient* client)
        : ResolvedIoctlData(umockdev_ioctl_client_get_arg(client), 0, sizeof(T)) {}
};

} // namespace

VideoDeviceNode::VideoDeviceNode(std::shared_ptr<SimulatedVideoDriver> driver, Kind kind,
                                 std::string busInfo)
    : driver(std::move(driver))
    , kind(kind)
    , busInfo(std::move(busInfo)) {}

struct VideoDeviceNode::OpenFile {
    OpenFile(UMockdevIoctlClient* client, unsigned generation)
        : generation(generation) {
        g_weak_ref_init(&this->client, client);
    }
    ~OpenFile() { g_weak_ref_clear(&client); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    // The client while it lives, else nothing.
    gpointer object() {
        gpointer held = g_weak_ref_get(&client);
        if (held)
            g_object_unref(held);
        return held;
    }

    GWeakRef client;
    unsigned generation;
};

VideoDeviceNode::~VideoDeviceNode() = default;

void VideoDeviceNode::connect() {
    std::lock_guard lock(mutex);
    ++generation;
    plugged = true;
}

void VideoDeviceNode::disconnect() {
    std::lock_guard lock(mutex);
    plugged = false;
}

void VideoDeviceNode::opened(UMockdevIoctlClient* client) {
    std::lock_guard lock(mutex);
    files.remove_if([](OpenFile& file) { return file.object() == nullptr; });
    files.emplace_back(client, generation);
}

bool VideoDeviceNode::isOfThisPlug(UMockdevIoctlClient* client) {
    for (OpenFile& file : files) {
        if (file.object() == client)
            return file.generation == generation;
    }
    return true; // opened before the node learnt of it: a file of the device present now
}

void VideoDeviceNode::handle(UMockdevIoctlClient* client) {
    std::lock_guard lock(mutex);
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    const int result = !plugged || !isOfThisPlug(client) ? -ENODEV
                       : request == UVCIOC_CTRL_QUERY && kind == Kind::capture
                           ? extensionUnit(client)
                           : -answer(client, request);
    umockdev_ioctl_client_complete(client, result < 0 ? -1 : result, result < 0 ? -result : 0);
}

int VideoDeviceNode::answer(UMockdevIoctlClient* client, unsigned long request) {
    if (request == VIDIOC_QUERYCAP)
        return capabilities(client);
    if (kind == Kind::metadata)
        return ENOTTY; // uvc_meta_ioctl_ops has no control ioctls
    switch (request) {
    case VIDIOC_QUERY_EXT_CTRL: {
        Argument<v4l2_query_ext_ctrl> query(client);
        return query.data ? driver->queryControl(*query.as<v4l2_query_ext_ctrl>()) : EFAULT;
    }
    case VIDIOC_QUERYCTRL: {
        Argument<v4l2_queryctrl> query(client);
        if (!query.data)
            return EFAULT;
        auto* legacy = query.as<v4l2_queryctrl>();
        v4l2_query_ext_ctrl extended{};
        extended.id = legacy->id;
        const int error = driver->queryControl(extended);
        if (error == 0) {
            legacy->id = extended.id;
            legacy->type = extended.type;
            std::memcpy(legacy->name, extended.name, sizeof legacy->name);
            legacy->minimum = static_cast<int32_t>(extended.minimum);
            legacy->maximum = static_cast<int32_t>(extended.maximum);
            legacy->step = static_cast<int32_t>(extended.step);
            legacy->default_value = static_cast<int32_t>(extended.default_value);
            legacy->flags = extended.flags;
        }
        return error;
    }
    case VIDIOC_QUERYMENU: {
        Argument<v4l2_querymenu> menu(client);
        return menu.data ? driver->queryMenu(*menu.as<v4l2_querymenu>()) : EFAULT;
    }
    case VIDIOC_G_CTRL: {
        Argument<v4l2_control> control(client);
        if (!control.data)
            return EFAULT;
        v4l2_ext_control one{};
        one.id = control.as<v4l2_control>()->id;
        uint32_t errorIndex = 0;
        const int error = driver->getControls({&one, 1}, errorIndex);
        control.as<v4l2_control>()->value = one.value;
        return error;
    }
    case VIDIOC_S_CTRL: {
        Argument<v4l2_control> control(client);
        if (!control.data)
            return EFAULT;
        v4l2_ext_control one{};
        one.id = control.as<v4l2_control>()->id;
        one.value = control.as<v4l2_control>()->value;
        uint32_t errorIndex = 0;
        const int error = driver->setControls({&one, 1}, false, errorIndex);
        control.as<v4l2_control>()->value = one.value;
        return error;
    }
    case VIDIOC_G_EXT_CTRLS:
    case VIDIOC_S_EXT_CTRLS:
    case VIDIOC_TRY_EXT_CTRLS:
        return extendedControls(client, request);
    default:
        return ENOTTY;
    }
}

int VideoDeviceNode::capabilities(UMockdevIoctlClient* client) {
    Argument<v4l2_capability> argument(client);
    if (!argument.data)
        return EFAULT;
    auto* caps = argument.as<v4l2_capability>();
    std::memset(caps, 0, sizeof *caps);
    std::strncpy(reinterpret_cast<char*>(caps->driver), "uvcvideo", sizeof caps->driver - 1);
    const std::string& card = driver->name();
    std::strncpy(reinterpret_cast<char*>(caps->card), card.c_str(), sizeof caps->card - 1);
    std::strncpy(reinterpret_cast<char*>(caps->bus_info), busInfo.c_str(),
                 sizeof caps->bus_info - 1);
    caps->version = 0x060100;
    caps->device_caps = kind == Kind::capture
                            ? V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING | V4L2_CAP_EXT_PIX_FORMAT
                            : V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING;
    caps->capabilities = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING |
                         V4L2_CAP_EXT_PIX_FORMAT | V4L2_CAP_DEVICE_CAPS;
    return 0;
}

int VideoDeviceNode::extendedControls(UMockdevIoctlClient* client, unsigned long request) {
    Argument<v4l2_ext_controls> argument(client);
    if (!argument.data)
        return EFAULT;
    auto* all = argument.as<v4l2_ext_controls>();
    if (all->count == 0)
        return 0;
    ResolvedIoctlData array(argument.data, offsetof(v4l2_ext_controls, controls),
                            all->count * sizeof(v4l2_ext_control));
    if (!array.data)
        return EFAULT;
    std::span controls(array.as<v4l2_ext_control>(), all->count);
    if (request != VIDIOC_G_EXT_CTRLS)
        return driver->setControls(controls, request == VIDIOC_TRY_EXT_CTRLS, all->error_idx);
    return driver->getControls(controls, all->error_idx);
}

// The driver's result as the ioctl returns it: 0, a short reply's byte count, or -errno.
int VideoDeviceNode::extensionUnit(UMockdevIoctlClient* client) {
    Argument<uvc_xu_control_query> argument(client);
    if (!argument.data)
        return -EFAULT;
    auto* query = argument.as<uvc_xu_control_query>();
    if (query->size == 0)
        return -ENOBUFS;
    ResolvedIoctlData buffer(argument.data, offsetof(uvc_xu_control_query, data), query->size);
    if (!buffer.data)
        return -EFAULT;
    std::vector<uint8_t> data(buffer.bytes(), buffer.bytes() + query->size);
    const int result = driver->queryExtensionUnit(query->unit, query->selector, query->query, data);
    if (result >= 0)
        std::memcpy(buffer.bytes(), data.data(), std::min<size_t>(data.size(), query->size));
    return result;
}

} // namespace sim
