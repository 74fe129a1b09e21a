#pragma once
// Where capture inputs get their cameras: Qt Multimedia in the program. One backend serves the
// process; a test may put another in its place.

#include "platform/core/CaptureDevice.h"

#include <QString>

#include <memory>

class QVideoWidget;

namespace platform {

class CaptureBackend {
public:
    // One opened camera: it runs while started and shows its picture in its output.
    class Camera {
    public:
        virtual ~Camera() = default;
        virtual void start() = 0;
        virtual void stop() = 0;
        // The widget that shows the picture; nullptr shows it nowhere.
        virtual void setOutput(QVideoWidget* output) = 0;
    };

    virtual ~CaptureBackend() = default;

    // The camera of the capture device, or nothing with the reason in error.
    virtual std::unique_ptr<Camera> openCamera(const CaptureDevice& device, QString& error) = 0;

    // The backend of the process: Qt Multimedia unless replaced.
    static std::shared_ptr<CaptureBackend> shared();
    // Puts another backend in place; nullptr brings Qt Multimedia back.
    static void setShared(std::shared_ptr<CaptureBackend> backend);
};

} // namespace platform
