#include "platform/core/CaptureDevice.h"

#include <utility>

namespace platform {

CaptureDevice::CaptureDevice(QString localizedName, QString uniqueID, QString nodePath)
    : name(std::move(localizedName))
    , id(std::move(uniqueID))
    , node(std::move(nodePath)) {}

} // namespace platform
