#include "platform/widgets/MultimediaCaptureBackend.h"

#include <QCamera>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QVideoWidget>

namespace platform {

namespace {

class MultimediaCamera : public CaptureBackend::Camera {
public:
    explicit MultimediaCamera(std::unique_ptr<QCamera> camera)
        : camera(std::move(camera)) {
        session.setCamera(this->camera.get());
    }

    ~MultimediaCamera() override {
        // Detached first, so that GStreamer is not left with a pipeline to a dead object.
        camera->stop();
        session.setVideoOutput(nullptr);
        session.setCamera(nullptr);
    }

    void start() override { camera->start(); }
    void stop() override { camera->stop(); }
    void setOutput(QVideoWidget* output) override { session.setVideoOutput(output); }

private:
    std::unique_ptr<QCamera> camera;
    QMediaCaptureSession session;
};

} // namespace

std::unique_ptr<CaptureBackend::Camera>
MultimediaCaptureBackend::openCamera(const CaptureDevice& device, QString& error) {
    const std::optional<QCameraDevice> input = cameraDevice(device);
    if (!input) {
        error = QStringLiteral("No video input for %1").arg(device.nodePath());
        return nullptr;
    }
    auto camera = std::make_unique<QCamera>(*input);
    // A camera that cannot be opened says so in its constructor already.
    if (camera->error() != QCamera::NoError) {
        error = camera->errorString();
        return nullptr;
    }
    return std::make_unique<MultimediaCamera>(std::move(camera));
}

std::optional<QCameraDevice> MultimediaCaptureBackend::cameraDevice(const CaptureDevice& device) {
    const QList<QCameraDevice> inputs = QMediaDevices::videoInputs();
    for (const QCameraDevice& input : inputs) {
        if (QString::fromUtf8(input.id()) == device.nodePath()) {
            return input;
        }
    }
    for (const QCameraDevice& input : inputs) {
        if (input.description() == device.localizedName()) {
            return input;
        }
    }
    return std::nullopt;
}

} // namespace platform
