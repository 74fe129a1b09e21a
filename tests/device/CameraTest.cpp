#include "CameraTest.h"

#include "device/UVCContext.h"
#include "platform/core/UserDefaults.h"

namespace device {

Wire wireOf(const sim::ControlTransfer& transfer) {
    return {transfer.bmRequestType, transfer.bRequest, transfer.wValue, transfer.wIndex,
            transfer.wLength};
}

std::string routeName(const ::testing::TestParamInfo<Route>& info) {
    return info.param == Route::usb ? "Usb" : "VideoNode";
}

CameraTest::CameraTest() {
    // Qt settles the user's settings directory once per process: each test names its own file.
    platform::UserDefaults::setStandard(
        std::make_shared<platform::UserDefaults>(configHome.filePath("defaults.conf")));
    if (GetParam() == Route::videoNode) {
        // The cases change the camera's values behind the driver, which sees such changes only
        // for controls the camera flags (its cache has tests of its own).
        camera.flagControlsAutoUpdate();
        camera.bindDriver();
    }
    camera.plug();
}

CameraTest::~CameraTest() {
    platform::UserDefaults::setStandard(nullptr);
}

std::shared_ptr<UVCDevice> CameraTest::openCamera() {
    auto device = UVCContext::shared().findDevice(sim::SimulatedCamera::vendorId,
                                                  sim::SimulatedCamera::productId);
    camera.clearTransfers();
    return device;
}

std::vector<sim::ControlTransfer> CameraTest::classRequests() const {
    std::vector<sim::ControlTransfer> result;
    for (const auto& transfer : camera.transfers()) {
        if (transfer.bmRequestType == 0x21 || transfer.bmRequestType == 0xA1) {
            result.push_back(transfer);
        }
    }
    return result;
}

} // namespace device
