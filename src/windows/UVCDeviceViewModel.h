#pragma once
// The model behind one camera's control window: the live preview's capture session and the only
// road from the window to the camera's controls.

#include "device/UVCDevice.h"
#include "platform/core/CaptureDevice.h"
#include "platform/widgets/CaptureSession.h"
#include "platform/widgets/PreviewLayer.h"
#include "rx/BehaviorRelay.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

namespace windows {

class UVCDeviceViewModel {
public:
    // Whether the preview runs.
    enum class Mode { normal, preview };

    // A closed range of control values, lowerBound <= upperBound.
    struct Range {
        int64_t lowerBound;
        int64_t upperBound;
        bool operator==(const Range&) const = default;
    };

    // Sends nothing to the camera and starts nothing; mode is normal.
    UVCDeviceViewModel(platform::CaptureDevice captureDevice,
                       std::shared_ptr<device::UVCDevice> uvcDevice);
    UVCDeviceViewModel(const UVCDeviceViewModel&) = delete;
    UVCDeviceViewModel& operator=(const UVCDeviceViewModel&) = delete;

    QString title() const;

    // Built on the first read, present or not, and never again.
    std::shared_ptr<platform::PreviewLayer> previewLayer();

    // Starts the capture session when it is not running, else stops it; then publishes the mode.
    void togglePreview();

    const rx::BehaviorRelay<Mode>& mode() const { return modeRelay; }

    // The camera's minimum and maximum; nothing when either is missing or the maximum lies
    // below the minimum.
    std::optional<Range> getRange(device::UVCRangeControl control);
    std::optional<int64_t> getValue(device::UVCRangeControl control);
    bool setValue(int64_t value, device::UVCRangeControl control);
    std::optional<bool> getState(device::UVCStateControl control);
    bool setState(bool value, device::UVCStateControl control);
    void resetToDefault();

private:
    std::shared_ptr<platform::PreviewLayer> createPreviewLayer();

    std::shared_ptr<platform::CaptureSession> captureSession;
    platform::CaptureDevice captureDevice;
    std::shared_ptr<device::UVCDevice> uvcDevice;
    // Empty until the first read; then the layer, or nullptr when none could be made.
    std::optional<std::shared_ptr<platform::PreviewLayer>> previewLayerStorage;
    rx::BehaviorRelay<Mode> modeRelay{Mode::normal};
};

} // namespace windows
