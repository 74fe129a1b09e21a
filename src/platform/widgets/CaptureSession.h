#pragma once
// A capture session: the camera input it runs and the preview that shows the picture. Its
// running state is the state last asked for; the camera itself starts asynchronously.

#include "platform/widgets/CaptureDeviceInput.h"

#include <QPointer>
#include <QVideoWidget>

#include <memory>

namespace platform {

class CaptureSession {
public:
    // Empty: no input, no preview, not running.
    CaptureSession() = default;
    ~CaptureSession();
    CaptureSession(const CaptureSession&) = delete;
    CaptureSession& operator=(const CaptureSession&) = delete;

    // A session takes one input; a second, or none, is refused.
    bool canAddInput(const std::shared_ptr<CaptureDeviceInput>& input) const;
    void addInput(std::shared_ptr<CaptureDeviceInput> input);
    const std::shared_ptr<CaptureDeviceInput>& input() const { return sessionInput; }

    // Changes made between the two reach the camera together, at the commit.
    void beginConfiguration();
    void commitConfiguration();

    // Starts or stops the input's camera; the session counts as running from the request on.
    void startRunning();
    void stopRunning();
    bool isRunning() const { return running; }

    // The widget that shows the picture (a preview layer's); nullptr shows it nowhere.
    void setPreviewOutput(QVideoWidget* output);
    QVideoWidget* previewOutput() const { return output; }

private:
    void connectOutput();

    std::shared_ptr<CaptureDeviceInput> sessionInput;
    QPointer<QVideoWidget> output;
    bool configuring = false;
    bool running = false;
};

} // namespace platform
