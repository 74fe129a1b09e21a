#include "device/VideoNodeTransport.h"

#include "device/UVCControl.h"
#include "device/UVCVideoControl.h"

#include <fcntl.h>
#include <libusb.h>
#include <linux/usb/video.h>
#include <linux/uvcvideo.h>
#include <linux/videodev2.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <vector>

namespace device {

namespace {

struct ErrnoRow {
    int error;
    int libusb;
};

constexpr std::array<ErrnoRow, 21> errnoTable = {{
    {ENODEV, LIBUSB_ERROR_NO_DEVICE},
    {ENXIO, LIBUSB_ERROR_NO_DEVICE},
    {ESHUTDOWN, LIBUSB_ERROR_NO_DEVICE},
    {EHOSTUNREACH, LIBUSB_ERROR_NO_DEVICE},
    {ETIMEDOUT, LIBUSB_ERROR_TIMEOUT},
    {EPIPE, LIBUSB_ERROR_PIPE},
    {EIO, LIBUSB_ERROR_IO},
    {EPROTO, LIBUSB_ERROR_IO},
    {EREMOTE, LIBUSB_ERROR_IO},
    {EILSEQ, LIBUSB_ERROR_IO},
    {EACCES, LIBUSB_ERROR_ACCESS},
    {EPERM, LIBUSB_ERROR_ACCESS},
    {EBUSY, LIBUSB_ERROR_BUSY},
    {ENOENT, LIBUSB_ERROR_NOT_SUPPORTED},
    {ENOTTY, LIBUSB_ERROR_NOT_SUPPORTED},
    {EBADRQC, LIBUSB_ERROR_NOT_SUPPORTED},
    {EINVAL, LIBUSB_ERROR_INVALID_PARAM},
    {ERANGE, LIBUSB_ERROR_INVALID_PARAM},
    {ENOBUFS, LIBUSB_ERROR_INVALID_PARAM},
    {ENOMEM, LIBUSB_ERROR_NO_MEM},
    {EOVERFLOW, LIBUSB_ERROR_OVERFLOW},
}};

// The field's bytes of `data` as the V4L2 value, and the V4L2 value into them.
int32_t fieldValue(const UVCVideoControl::Field& field, std::span<const uint8_t> data) {
    const auto bytes = data.subspan(field.offset, field.length);
    return static_cast<int32_t>(field.isSigned
                                    ? UVCControl::signedValue(bytes)
                                    : static_cast<int64_t>(UVCControl::unsignedValue(bytes)));
}

void putField(const UVCVideoControl::Field& field, int32_t value, std::span<uint8_t> data) {
    const std::vector<uint8_t> bytes = UVCControl::littleEndian(value, field.length);
    std::ranges::copy(bytes, data.subspan(field.offset, field.length).begin());
}

} // namespace

VideoNodeTransport::VideoNodeTransport(const std::string& path) {
    if (!path.empty()) {
        fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        openError = fd < 0 ? libusbError(errno) : 0;
    }
}

VideoNodeTransport::~VideoNodeTransport() {
    if (fd >= 0) {
        ::close(fd);
    }
}

int VideoNodeTransport::send(const UVCRequest& request, std::span<uint8_t> data) {
    if (fd < 0) {
        return openError;
    }
    if (request.unit == UVCRequest::extensionUnit) {
        return queryExtensionUnit(request, data);
    }
    const UVCVideoControl* mapped = UVCVideoControl::find(request.unit, request.selector);
    if (mapped == nullptr || data.size() != mapped->length) {
        return LIBUSB_ERROR_NOT_SUPPORTED;
    }
    switch (request.request) {
    case UVCRequest::setCur:
        return writeCurrent(*mapped, data);
    case UVCRequest::getCur:
        return readCurrent(*mapped, data);
    case UVCRequest::getMin:
    case UVCRequest::getMax:
    case UVCRequest::getDef:
        return readLimit(*mapped, request.request, data);
    default:
        return LIBUSB_ERROR_NOT_SUPPORTED;
    }
}

int VideoNodeTransport::libusbError(int error) {
    const auto row = std::ranges::find(errnoTable, error, &ErrnoRow::error);
    return row == errnoTable.end() ? LIBUSB_ERROR_OTHER : row->libusb;
}

int VideoNodeTransport::queryExtensionUnit(const UVCRequest& request, std::span<uint8_t> data) {
    uvc_xu_control_query query{};
    query.unit = request.unit;
    query.selector = request.selector;
    query.query = request.request;
    query.size = static_cast<uint16_t>(data.size());
    query.data = data.data();
    // The driver answers 0 for a whole reply and the byte count of a shorter one.
    const int moved = control(UVCIOC_CTRL_QUERY, &query);
    if (moved < 0) {
        return libusbError(errno);
    }
    return moved == 0 ? static_cast<int>(data.size()) : moved;
}

int VideoNodeTransport::readCurrent(const UVCVideoControl& mapped, std::span<uint8_t> data) {
    for (const auto& field : mapped.fields) {
        v4l2_control current{};
        current.id = field.id;
        if (control(VIDIOC_G_CTRL, &current) < 0) {
            return libusbError(errno);
        }
        const auto value = mapped.controlValue(current.value);
        if (!value) {
            return LIBUSB_ERROR_OTHER; // a menu entry the control has no value for
        }
        putField(field, *value, data);
    }
    return static_cast<int>(data.size());
}

int VideoNodeTransport::readLimit(const UVCVideoControl& mapped, uint8_t request,
                                  std::span<uint8_t> data) {
    for (const auto& field : mapped.fields) {
        v4l2_queryctrl query{};
        query.id = field.id;
        if (control(VIDIOC_QUERYCTRL, &query) < 0) {
            return libusbError(errno);
        }
        const int32_t limit = request == UVCRequest::getMin   ? query.minimum
                              : request == UVCRequest::getMax ? query.maximum
                                                              : query.default_value;
        const auto value = mapped.controlValue(limit);
        if (!value) {
            return LIBUSB_ERROR_OTHER;
        }
        putField(field, *value, data);
    }
    return static_cast<int>(data.size());
}

int VideoNodeTransport::writeCurrent(const UVCVideoControl& mapped, std::span<const uint8_t> data) {
    std::vector<v4l2_ext_control> values(mapped.fields.size());
    for (size_t i = 0; i < values.size(); ++i) {
        const auto value = mapped.v4l2Value(fieldValue(mapped.fields[i], data));
        if (!value) {
            return LIBUSB_ERROR_INVALID_PARAM; // no menu entry has this value
        }
        values[i].id = mapped.fields[i].id;
        values[i].value = *value;
    }
    if (values.size() == 1) {
        v4l2_control single{values[0].id, values[0].value};
        if (control(VIDIOC_S_CTRL, &single) < 0) {
            return libusbError(errno);
        }
        return static_cast<int>(data.size());
    }
    v4l2_ext_controls all{};
    all.which = V4L2_CTRL_WHICH_CUR_VAL;
    all.count = static_cast<uint32_t>(values.size());
    all.controls = values.data();
    if (control(VIDIOC_S_EXT_CTRLS, &all) < 0) {
        return libusbError(errno);
    }
    return static_cast<int>(data.size());
}

int VideoNodeTransport::control(unsigned long request, void* argument) {
    int result = 0;
    do {
        result = ::ioctl(fd, request, argument);
    } while (result < 0 && errno == EINTR);
    return result;
}

} // namespace device
