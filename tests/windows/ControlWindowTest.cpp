#include "ControlWindowTest.h"

#include "device/UVCContext.h"
#include "platform/core/UserDefaults.h"
#include "windows/MainScenes.h"

#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

namespace windows {

ControlWindowTest::ControlWindowTest(Route route)
    : route(route)
    , backend(std::make_shared<platform::RecordingCaptureBackend>()) {
    platform::UserDefaults::setStandard(std::make_shared<platform::UserDefaults>(
        settingsDir.filePath(QStringLiteral("defaults.conf"))));
    registerMainScenes();
    // No button poll: its transfers would mix with the window's.
    camera.setFirmwareCode(0x00);
    if (route == Route::videoNode) {
        // The window's cases change the camera's values behind the driver, which sees such
        // changes only for controls that the camera flags.
        camera.flagControlsAutoUpdate();
        camera.bindDriver();
    }
    camera.plug();
    device = device::UVCContext::shared().findDevice(sim::SimulatedCamera::vendorId,
                                                     sim::SimulatedCamera::productId);
}

ControlWindowTest::~ControlWindowTest() {
    controller.reset();
    device.reset();
    platform::CaptureBackend::setShared(nullptr);
    platform::UserDefaults::setStandard(nullptr);
}

void ControlWindowTest::replugChanged(const std::function<void(sim::SimulatedCamera&)>& change) {
    device.reset();
    camera.unplug();
    change(camera);
    camera.plug();
    device = device::UVCContext::shared().findDevice(sim::SimulatedCamera::vendorId,
                                                     sim::SimulatedCamera::productId);
}

void ControlWindowTest::openWindow() {
    platform::CaptureDevice captureDevice(QStringLiteral("VISTREL"),
                                          QStringLiteral("pci-0000:00:14.0-usb-0:10c456366"),
                                          QStringLiteral("/dev/video0"));
    controller = std::make_shared<UVCDeviceWindowController>();
    controller->setWindowModel(std::make_shared<UVCDeviceWindowModel>(captureDevice, device));
    controller->showWindow();
    camera.clearTransfers();
}

UVCDeviceViewController& ControlWindowTest::view() const {
    return *std::dynamic_pointer_cast<UVCDeviceViewController>(controller->contentViewController());
}

std::vector<sim::ControlTransfer> ControlWindowTest::writes() const {
    std::vector<sim::ControlTransfer> result;
    for (const auto& transfer : camera.transfers()) {
        if (transfer.bmRequestType == 0x21) {
            result.push_back(transfer);
        }
    }
    return result;
}

std::vector<sim::ControlTransfer> ControlWindowTest::reads() const {
    std::vector<sim::ControlTransfer> result;
    for (const auto& transfer : camera.transfers()) {
        if (transfer.bmRequestType == 0xA1) {
            result.push_back(transfer);
        }
    }
    return result;
}

std::vector<sim::ControlTransfer> ControlWindowTest::readsAfterLastWrite() const {
    std::vector<sim::ControlTransfer> result;
    for (const auto& transfer : camera.transfers()) {
        if (transfer.bmRequestType == 0x21) {
            result.clear();
        } else if (transfer.bmRequestType == 0xA1 && transfer.unit() != 0) {
            result.push_back(transfer);
        }
    }
    return result;
}

void ControlWindowTest::click(QWidget* widget) {
    QPoint at = widget->rect().center();
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(box);
        at = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
    }
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
}

void ControlWindowTest::clickSlider(QSlider* slider, double fraction) {
    const QPoint at(static_cast<int>(slider->width() * fraction), slider->height() / 2);
    QTest::mouseClick(slider, Qt::LeftButton, {}, at);
}

} // namespace windows
