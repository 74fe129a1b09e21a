#pragma once
// What one control window works on: the camera's capture device, its opened UVCDevice and the
// view model built for this window.

#include "device/UVCDevice.h"
#include "platform/core/CaptureDevice.h"
#include "windows/UVCDeviceViewModel.h"

#include <memory>

namespace windows {

// Held through std::shared_ptr.
class UVCDeviceWindowModel {
public:
    // Builds the view model at once: a new capture session, preview off.
    UVCDeviceWindowModel(platform::CaptureDevice captureDevice,
                         std::shared_ptr<device::UVCDevice> uvcDevice);
    UVCDeviceWindowModel(const UVCDeviceWindowModel&) = delete;
    UVCDeviceWindowModel& operator=(const UVCDeviceWindowModel&) = delete;

    const std::shared_ptr<UVCDeviceViewModel>& viewModel() const { return model; }

private:
    platform::CaptureDevice captureDevice;
    std::shared_ptr<device::UVCDevice> uvcDevice;
    std::shared_ptr<UVCDeviceViewModel> model;
};

} // namespace windows
