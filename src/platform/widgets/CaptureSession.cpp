#include "platform/widgets/CaptureSession.h"

namespace platform {

CaptureSession::~CaptureSession() {
    if (sessionInput != nullptr) {
        sessionInput->camera().setOutput(nullptr);
    }
}

bool CaptureSession::canAddInput(const std::shared_ptr<CaptureDeviceInput>& input) const {
    return input != nullptr && sessionInput == nullptr;
}

void CaptureSession::addInput(std::shared_ptr<CaptureDeviceInput> input) {
    if (!canAddInput(input)) {
        return;
    }
    sessionInput = std::move(input);
    connectOutput();
}

void CaptureSession::beginConfiguration() {
    configuring = true;
}

void CaptureSession::commitConfiguration() {
    configuring = false;
    connectOutput();
}

void CaptureSession::startRunning() {
    if (sessionInput != nullptr) {
        sessionInput->camera().start();
    }
    running = true;
}

void CaptureSession::stopRunning() {
    if (sessionInput != nullptr) {
        sessionInput->camera().stop();
    }
    running = false;
}

void CaptureSession::setPreviewOutput(QVideoWidget* newOutput) {
    output = newOutput;
    connectOutput();
}

void CaptureSession::connectOutput() {
    if (!configuring && sessionInput != nullptr) {
        sessionInput->camera().setOutput(output);
    }
}

} // namespace platform
