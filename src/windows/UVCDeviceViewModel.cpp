#include "windows/UVCDeviceViewModel.h"

#include "platform/widgets/CaptureDeviceInput.h"

namespace windows {

using device::UVCDevice;

UVCDeviceViewModel::UVCDeviceViewModel(platform::CaptureDevice captureDevice,
                                       std::shared_ptr<device::UVCDevice> uvcDevice)
    : captureSession(std::make_shared<platform::CaptureSession>())
    , captureDevice(std::move(captureDevice))
    , uvcDevice(std::move(uvcDevice)) {}

QString UVCDeviceViewModel::title() const {
    return captureDevice.localizedName();
}

std::shared_ptr<platform::PreviewLayer> UVCDeviceViewModel::previewLayer() {
    if (!previewLayerStorage) {
        previewLayerStorage = createPreviewLayer();
    }
    return *previewLayerStorage;
}

std::shared_ptr<platform::PreviewLayer> UVCDeviceViewModel::createPreviewLayer() {
    QString error; // dropped: a missing layer is all the window needs to know
    std::shared_ptr<platform::CaptureDeviceInput> input =
        platform::CaptureDeviceInput::make(captureDevice, error);
    if (input == nullptr || !captureSession->canAddInput(input)) {
        return nullptr;
    }
    captureSession->beginConfiguration();
    captureSession->addInput(std::move(input));
    captureSession->commitConfiguration();
    return std::make_shared<platform::PreviewLayer>(captureSession);
}

void UVCDeviceViewModel::togglePreview() {
    if (captureSession->isRunning()) {
        captureSession->stopRunning();
        modeRelay.accept(Mode::normal);
    } else {
        captureSession->startRunning();
        modeRelay.accept(Mode::preview);
    }
}

std::optional<UVCDeviceViewModel::Range>
UVCDeviceViewModel::getRange(device::UVCRangeControl control) {
    const std::optional<int64_t> minimum =
        uvcDevice->getValue(control, UVCDevice::ValueType::minimum);
    if (!minimum) {
        return std::nullopt;
    }
    const std::optional<int64_t> maximum =
        uvcDevice->getValue(control, UVCDevice::ValueType::maximum);
    // A maximum below the minimum makes no range: the control counts as one without.
    if (!maximum || *maximum < *minimum) {
        return std::nullopt;
    }
    return Range{*minimum, *maximum};
}

std::optional<int64_t> UVCDeviceViewModel::getValue(device::UVCRangeControl control) {
    return uvcDevice->getValue(control, UVCDevice::ValueType::current);
}

bool UVCDeviceViewModel::setValue(int64_t value, device::UVCRangeControl control) {
    return uvcDevice->setValue(value, control);
}

std::optional<bool> UVCDeviceViewModel::getState(device::UVCStateControl control) {
    return uvcDevice->getState(control, UVCDevice::StateType::current);
}

bool UVCDeviceViewModel::setState(bool value, device::UVCStateControl control) {
    return uvcDevice->setState(value, control);
}

void UVCDeviceViewModel::resetToDefault() {
    uvcDevice->resetAll();
}

} // namespace windows
