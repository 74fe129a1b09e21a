// Takes the README's pictures of the control window (every page, with the preview off and on) and
// of the About window, in English and Traditional Chinese, against the simulated camera:
// window_screenshots <directory>. Not a benchmark; `make bench` does not run it.

#include "device/UVCContext.h"
#include "platform/core/Bundle.h"
#include "platform/core/UserDefaults.h"
#include "platform/widgets/CaptureBackend.h"
#include "platform/widgets/RecordingCaptureBackend.h"
#include "support/SimulatedCamera.h"
#include "windows/AboutWindowController.h"
#include "windows/MainScenes.h"
#include "windows/Storyboard.h"
#include "windows/StoryboardInstantiable.h"
#include "windows/UVCDeviceViewController.h"
#include "windows/UVCDeviceWindowController.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

using windows::UVCDeviceViewController;

void save(QWidget* window, const QString& path) {
    QApplication::processEvents();
    window->grab().save(path);
}

void shootPages(UVCDeviceViewController& view, QWidget* window, const QString& prefix,
                const QString& suffix) {
    const QStringList pages = {"image", "exposure", "more", "button"};
    for (int page = 0; page < pages.size(); ++page) {
        view.tabSegmentedControl->setSelectedSegment(page);
        view.tabSegmentedControlAction(view.tabSegmentedControl);
        save(window, QStringLiteral("%1-%2%3.png").arg(prefix, pages[page], suffix));
    }
}

void shootControlWindow(const std::shared_ptr<device::UVCDevice>& device, const QString& prefix) {
    const platform::CaptureDevice captureDevice(QStringLiteral("VISTREL"),
                                                QStringLiteral("pci-0000:00:14.0-usb-0:10c456366"),
                                                QStringLiteral("/dev/video0"));
    auto controller = std::make_shared<windows::UVCDeviceWindowController>();
    controller->setWindowModel(
        std::make_shared<windows::UVCDeviceWindowModel>(captureDevice, device));
    controller->showWindow();
    auto view =
        std::dynamic_pointer_cast<UVCDeviceViewController>(controller->contentViewController());
    shootPages(*view, controller->window(), prefix, QString());
    // The preview button turns the preview on as a click would, so that the button, the window
    // and the preview area show what the user sees; the simulated camera streams no picture.
    view->previewButton()->click();
    shootPages(*view, controller->window(), prefix, QStringLiteral("-preview"));
    view->previewButton()->click();
}

void shootAboutWindow(const QString& prefix) {
    auto about = windows::StoryboardInstantiable<windows::AboutWindowController>::instantiate(
        windows::Storyboard::main());
    about->showWindow();
    save(about->window(), prefix + QStringLiteral("-about.png"));
}

} // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    const QDir output(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QTemporaryDir settings;
    platform::UserDefaults::setStandard(
        std::make_shared<platform::UserDefaults>(settings.filePath(QStringLiteral("shots.conf"))));
    windows::registerMainScenes();
    // Qt Multimedia lists no camera under the simulated one: a backend that opens every device.
    platform::CaptureBackend::setShared(std::make_shared<platform::RecordingCaptureBackend>());
    sim::SimulatedCamera camera;
    camera.setFirmwareCode(0x00);
    camera.setCurrent(sim::SimulatedCamera::cameraTerminal, 0x02, {0x01});
    camera.plug();
    auto device = device::UVCContext::shared().findDevice(0x0C45, 0x6366);
    if (!device) {
        return 1;
    }
    for (const char* locale : {"en", "zh_TW"}) {
        platform::Bundle::main().installLocalization(QLocale(QString::fromLatin1(locale)));
        const QString prefix = output.filePath(QStringLiteral("window-%1").arg(locale));
        shootControlWindow(device, prefix);
        shootAboutWindow(prefix);
    }
    platform::Bundle::main().removeLocalization();
    device.reset();
    platform::CaptureBackend::setShared(nullptr);
    return 0;
}
