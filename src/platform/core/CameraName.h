#pragma once
// The name a USB camera goes by: its USB product string, which the kernel's video driver puts
// at the start of the name of the camera's video nodes and may follow with ": " and the name
// of the camera's function ("VISTREL: USB Camera").

#include <QString>

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

class CameraName {
public:
    // The camera's name from its node's name and its USB device's product string (none when the
    // device has none; the driver then names the node "UVC Camera (vvvv:pppp)"). A node name the
    // driver did not make from the product string is the name itself.
    static QString of(std::string_view nodeName, std::optional<std::string_view> usbProduct,
                      uint16_t vendorId, uint16_t productId);
};

} // namespace platform
