#pragma once
// A video capture device of the system: the video4linux node of a USB camera, with the name
// and identity it was discovered with. A small value; two values for the same device are equal.

#include "platform/core/UsbLocation.h"

#include <QString>

#include <optional>
#include <string_view>

namespace platform {

// Posted on the default notification centre when a capture device comes or goes; the
// notification's object is the CaptureDevice.
inline constexpr std::string_view CaptureDeviceWasConnected = "CaptureDeviceWasConnected";
inline constexpr std::string_view CaptureDeviceWasDisconnected = "CaptureDeviceWasDisconnected";

class CaptureDevice {
public:
    // No device: empty name, ID and node. Lets a device ride in a QVariant (a menu item's data).
    CaptureDevice() = default;
    CaptureDevice(QString localizedName, QString uniqueID, QString nodePath,
                  std::optional<UsbLocation> usbLocation = std::nullopt);

    // The name the user sees: the camera's USB product string, with which the kernel's video
    // driver begins the node's name ("VISTREL" of the node "VISTREL: USB Camera").
    const QString& localizedName() const { return name; }

    // Stable per USB port and model: the port's path followed by the vendor and product IDs
    // as 4 + 4 lower-case hexadecimal digits, so the last eight characters carry the IDs.
    const QString& uniqueID() const { return id; }

    // The device node to capture from, e.g. "/dev/video0".
    const QString& nodePath() const { return node; }

    // Where its USB device is plugged in; none when udev does not tell.
    const std::optional<UsbLocation>& usbLocation() const { return location; }

    // Same device when the unique IDs are the same.
    bool operator==(const CaptureDevice& other) const { return id == other.id; }

private:
    QString name;
    QString id;
    QString node;
    std::optional<UsbLocation> location;
};

} // namespace platform
