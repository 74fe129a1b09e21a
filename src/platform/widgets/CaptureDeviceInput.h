#pragma once
// A capture device opened as the input of a capture session: it holds the backend's camera for
// that device.

#include "platform/core/CaptureDevice.h"
#include "platform/widgets/CaptureBackend.h"

#include <QString>

#include <memory>

namespace platform {

class CaptureDeviceInput {
    struct Key {
        explicit Key() = default;
    };

public:
    // The input of the device, opened through the process's backend; nothing, with the
    // reason in error, when the device cannot be opened for capture.
    static std::shared_ptr<CaptureDeviceInput> make(const CaptureDevice& device, QString& error);

    CaptureDeviceInput(Key, CaptureDevice device, std::unique_ptr<CaptureBackend::Camera> camera);

    const CaptureDevice& device() const { return captureDevice; }
    CaptureBackend::Camera& camera() const { return *backendCamera; }

private:
    CaptureDevice captureDevice;
    std::unique_ptr<CaptureBackend::Camera> backendCamera;
};

} // namespace platform
