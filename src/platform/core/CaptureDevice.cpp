#include "platform/core/CaptureDevice.h"

#include <utility>

namespace platform {

CaptureDevice::CaptureDevice(QString localizedName, QString uniqueID, QString nodePath,
                             std::optional<UsbLocation> usbLocation)
    : name(std::move(localizedName))
    , id(std::move(uniqueID))
    , node(std::move(nodePath))
    , location(std::move(usbLocation)) {}

} // namespace platform
