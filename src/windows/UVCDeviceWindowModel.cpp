#include "windows/UVCDeviceWindowModel.h"

namespace windows {

UVCDeviceWindowModel::UVCDeviceWindowModel(platform::CaptureDevice captureDevice,
                                           std::shared_ptr<device::UVCDevice> uvcDevice)
    : captureDevice(captureDevice)
    , uvcDevice(uvcDevice)
    , model(std::make_shared<UVCDeviceViewModel>(std::move(captureDevice), std::move(uvcDevice))) {}

} // namespace windows
