#include "app/UVCDevicePanel.h"

#include "device/UVCContext.h"
#include "device/UVCDevice.h"
#include "device/UVCUniqueID.h"
#include "platform/core/Dispatch.h"
#include "platform/widgets/Application.h"
#include "windows/UVCDeviceWindowController.h"
#include "windows/UVCDeviceWindowModel.h"

#include <optional>
#include <string>
#include <utility>

namespace app {

std::shared_ptr<UVCDevicePanel> UVCDevicePanel::make(const platform::CaptureDevice& captureDevice) {
    const std::string uniqueID = captureDevice.uniqueID().toStdString();
    const std::optional<int> vendorID = device::UVCUniqueID::vendorID(uniqueID);
    if (!vendorID) {
        return nullptr;
    }
    const std::optional<int> productID = device::UVCUniqueID::productID(uniqueID);
    if (!productID) {
        return nullptr;
    }
    // The camera behind this capture device, never one that another panel may already poll.
    std::shared_ptr<device::UVCDevice> found =
        device::UVCContext::shared().findDevice(*vendorID, *productID, captureDevice.usbLocation());
    if (!found) {
        return nullptr;
    }
    return std::make_shared<UVCDevicePanel>(Key{}, std::move(found), captureDevice);
}

UVCDevicePanel::UVCDevicePanel(Key, std::shared_ptr<device::UVCDevice> uvcDevice,
                               platform::CaptureDevice captureDevice)
    : camera(std::move(uvcDevice))
    , capture(std::move(captureDevice)) {}

UVCDevicePanel::~UVCDevicePanel() {
    // The willClose call of this closing finds the panel gone and changes nothing.
    close();
}

void UVCDevicePanel::open() {
    if (!controller) {
        auto made = std::make_shared<windows::UVCDeviceWindowController>();
        made->setWindowModel(std::make_shared<windows::UVCDeviceWindowModel>(capture, camera));
        made->setWillClose([weakSelf = weak_from_this()] {
            if (auto self = weakSelf.lock()) {
                // The controller is in the middle of closing: it goes once that has returned.
                platform::Dispatch::main().async(
                    [released = std::move(self->controller)] { static_cast<void>(released); });
            }
        });
        controller = std::move(made);
    }
    controller->showWindow();
    platform::Application::shared().activate(true);
}

void UVCDevicePanel::close() {
    if (controller) {
        const std::shared_ptr<windows::UVCDeviceWindowController> closing = controller;
        closing->close();
    }
}

} // namespace app
