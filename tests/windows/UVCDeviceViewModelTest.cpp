#include "windows/UVCDeviceViewModel.h"

#include "ControlWindowTest.h"

#include <algorithm>

namespace windows {

namespace {

// Opens the camera when it may and counts every attempt.
class CountingCaptureBackend : public platform::CaptureBackend {
public:
    explicit CountingCaptureBackend(bool opens)
        : opens(opens) {}

    std::unique_ptr<Camera> openCamera(const platform::CaptureDevice& /*device*/,
                                       QString& error) override {
        ++attempts;
        if (!opens) {
            error = QStringLiteral("busy");
            return nullptr;
        }
        return std::make_unique<IdleCamera>();
    }

    const bool opens;
    int attempts = 0;

private:
    class IdleCamera : public Camera {
        void start() override {}
        void stop() override {}
        void setOutput(QVideoWidget* /*output*/) override {}
    };
};

const platform::CaptureDevice captureDevice(QStringLiteral("VISTREL"),
                                            QStringLiteral("pci-0000:00:14.0-usb-0:10c456366"),
                                            QStringLiteral("/dev/video0"));

} // namespace

TEST_F(ControlWindowTest, ThePreviewLayerIsMadeOnceWhetherOrNotTheCameraOpens) {
    for (const bool opens : {true, false}) {
        SCOPED_TRACE(opens);
        auto counting = std::make_shared<CountingCaptureBackend>(opens);
        platform::CaptureBackend::setShared(counting);
        UVCDeviceViewModel model(captureDevice, device);
        const auto first = model.previewLayer();
        EXPECT_EQ(first != nullptr, opens);
        EXPECT_EQ(model.previewLayer(), first);
        EXPECT_EQ(model.previewLayer(), first);
        EXPECT_EQ(counting->attempts, 1) << "a failed creation is never tried again";
    }
}

TEST_F(ControlWindowTest, GetRangeAsksForTheMaximumOnlyAfterAMinimumCame) {
    UVCDeviceViewModel model(captureDevice, device);
    const struct {
        uint8_t failing;                // GET_MIN 0x82 or GET_MAX 0x83 stalls
        std::vector<uint8_t> requested; // the range requests that reach the camera
    } cases[] = {{0x82, {0x82}}, {0x83, {0x82, 0x83}}};
    for (const auto& entry : cases) {
        SCOPED_TRACE(int{entry.failing});
        camera.clearFaults();
        camera.inject(sim::Fault{.kind = sim::FaultKind::stall,
                                 .bRequest = entry.failing,
                                 .unit = pu,
                                 .selector = 0x02});
        camera.clearTransfers();
        EXPECT_EQ(model.getRange(device::UVCRangeControl::brightness), std::nullopt);
        std::vector<uint8_t> requested;
        for (const auto& transfer : reads()) {
            requested.push_back(transfer.bRequest);
        }
        EXPECT_EQ(requested, entry.requested);
    }
}

} // namespace windows
