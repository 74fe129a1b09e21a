#include "platform/widgets/CaptureDeviceInput.h"

namespace platform {

std::shared_ptr<CaptureDeviceInput> CaptureDeviceInput::make(const CaptureDevice& device,
                                                             QString& error) {
    std::unique_ptr<CaptureBackend::Camera> camera =
        CaptureBackend::shared()->openCamera(device, error);
    if (camera == nullptr) {
        return nullptr;
    }
    return std::make_shared<CaptureDeviceInput>(Key{}, device, std::move(camera));
}

CaptureDeviceInput::CaptureDeviceInput(Key, CaptureDevice device,
                                       std::unique_ptr<CaptureBackend::Camera> camera)
    : captureDevice(std::move(device))
    , backendCamera(std::move(camera)) {}

} // namespace platform
