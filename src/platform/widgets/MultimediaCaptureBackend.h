#pragma once
// Capture through Qt Multimedia: a capture device is matched to one of the system's video inputs
// by its node, else by its name, and runs as a QCamera in a QMediaCaptureSession.

#include "platform/widgets/CaptureBackend.h"

#include <QCameraDevice>

#include <optional>

namespace platform {

class MultimediaCaptureBackend : public CaptureBackend {
public:
    // Fails when no video input matches or the camera reports an error on creation.
    std::unique_ptr<Camera> openCamera(const CaptureDevice& device, QString& error) override;

    // The video input of the device: the one whose id is the node, else the first whose
    // description is the name.
    static std::optional<QCameraDevice> cameraDevice(const CaptureDevice& device);
};

} // namespace platform
