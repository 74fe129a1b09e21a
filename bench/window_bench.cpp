// Cost of the control window against the simulated camera: the median wall and CPU time of one
// refresh pass (eleven reads) and of opening the window (from the menu action to its first
// paint), each with the share of wall time spent outside the camera transfers.

#include "BenchFigures.h"
#include "ControlTransferTiming.h"
#include "device/UVCContext.h"
#include "platform/core/UserDefaults.h"
#include "support/SimulatedCamera.h"
#include "windows/MainScenes.h"
#include "windows/UVCDeviceViewController.h"
#include "windows/UVCDeviceWindowController.h"

#include <QApplication>
#include <QEvent>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

using bench::BenchFigures;
using bench::measure;

// Notes the first paint of a window.
class PaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    QTemporaryDir settings;
    platform::UserDefaults::setStandard(
        std::make_shared<platform::UserDefaults>(settings.filePath(QStringLiteral("bench.conf"))));
    windows::registerMainScenes();
    sim::SimulatedCamera camera;
    camera.setFirmwareCode(0x00); // no button poll beside the window
    camera.plug();
    auto device = device::UVCContext::shared().findDevice(0x0C45, 0x6366);
    if (!device) {
        return 1;
    }
    const platform::CaptureDevice captureDevice(QStringLiteral("VISTREL"),
                                                QStringLiteral("pci-0000:00:14.0-usb-0:10c456366"),
                                                QStringLiteral("/dev/video0"));
    std::shared_ptr<windows::UVCDeviceWindowController> controller;
    const BenchFigures opening = measure(50, [&] {
        controller.reset();
        controller = std::make_shared<windows::UVCDeviceWindowController>();
        controller->setWindowModel(
            std::make_shared<windows::UVCDeviceWindowModel>(captureDevice, device));
        PaintWatch watch;
        controller->window()->installEventFilter(&watch);
        controller->showWindow();
        while (!watch.painted) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        controller->window()->removeEventFilter(&watch);
    });
    auto view = std::dynamic_pointer_cast<windows::UVCDeviceViewController>(
        controller->contentViewController());
    const BenchFigures refresh = measure(500, [&] { view->refreshAllValues(); });
    std::printf("window_bench: medians against the simulated camera\n");
    for (const auto& [name, figure] :
         {std::pair{"refresh pass (11 reads)", refresh}, {"open window to first paint", opening}}) {
        std::printf("  %-28s wall %9.1f us   cpu %9.1f us   outside transfers %5.1f %%\n", name,
                    figure.wallMicroseconds, figure.cpuMicroseconds, 100.0 * figure.shareOutside);
    }
    controller.reset();
    device.reset();
    return 0;
}
