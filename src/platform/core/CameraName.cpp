#include "platform/core/CameraName.h"

#include <cstdio>
#include <string>

namespace platform {

namespace {

// The driver's names hold 31 bytes and the terminating NUL (uvc_probe, struct video_device).
constexpr size_t nameLength = 31;
constexpr std::string_view functionSeparator = ": ";

QString text(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).trimmed();
}

// What the driver starts the name with when the device has no product string.
std::string unnamed(uint16_t vendorId, uint16_t productId) {
    char name[nameLength + 1];
    std::snprintf(name, sizeof name, "UVC Camera (%04x:%04x)", static_cast<unsigned>(vendorId),
                  static_cast<unsigned>(productId));
    return name;
}

} // namespace

// The driver copies the product string (cut to the name's length), then appends ": " and the
// function's name as far as they fit. So the node name is the cut product string, followed by
// nothing, by ": " and more, or by as much of ": " as fitted.
QString CameraName::of(std::string_view nodeName, std::optional<std::string_view> usbProduct,
                       uint16_t vendorId, uint16_t productId) {
    const std::string product =
        usbProduct ? std::string(*usbProduct) : unnamed(vendorId, productId);
    const std::string_view start = std::string_view(product).substr(0, nameLength);
    if (!nodeName.starts_with(start)) {
        return text(nodeName);
    }
    const std::string_view rest = nodeName.substr(start.size());
    if (!rest.starts_with(functionSeparator) && !functionSeparator.starts_with(rest)) {
        return text(nodeName);
    }
    return text(product);
}

} // namespace platform
