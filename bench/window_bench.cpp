// Cost of the control window against the simulated camera: the median wall and CPU time of one
// refresh pass (eleven reads) and of opening the window (from the menu action to its first
// paint), each with the share of wall time spent outside the camera transfers.

#include "device/UVCContext.h"
#include "platform/core/UserDefaults.h"
#include "support/SimulatedCamera.h"
#include "windows/MainScenes.h"
#include "windows/UVCDeviceViewController.h"
#include "windows/UVCDeviceWindowController.h"

#include <QApplication>
#include <QEvent>
#include <QTemporaryDir>
#include <libusb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Nanoseconds = std::chrono::nanoseconds;

Nanoseconds insideTransfers{0};

struct Figures {
    double wallMicroseconds;
    double cpuMicroseconds;
    double shareOutside;
};

double threadCpuMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

Figures measure(int runs, const std::function<void()>& operation) {
    std::vector<double> walls;
    std::vector<double> cpus;
    Nanoseconds total{0};
    insideTransfers = Nanoseconds{0};
    for (int run = 0; run < runs; ++run) {
        const double cpuStart = threadCpuMicroseconds();
        const auto start = Clock::now();
        operation();
        const auto wall = Clock::now() - start;
        cpus.push_back(threadCpuMicroseconds() - cpuStart);
        walls.push_back(std::chrono::duration<double, std::micro>(wall).count());
        total += wall;
    }
    const double outside = 1.0 - static_cast<double>(insideTransfers.count()) / total.count();
    return {median(walls), median(cpus), outside};
}

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

// Every transfer of the device layer passes here on its way to the real libusb.
extern "C" int LIBUSB_CALL libusb_control_transfer(libusb_device_handle* handle,
                                                   uint8_t requestType, uint8_t request,
                                                   uint16_t value, uint16_t index,
                                                   unsigned char* data, uint16_t length,
                                                   unsigned int timeout) {
    using Transfer = decltype(&libusb_control_transfer);
    static const auto real =
        reinterpret_cast<Transfer>(dlsym(RTLD_NEXT, "libusb_control_transfer"));
    const auto start = Clock::now();
    const int result = real(handle, requestType, request, value, index, data, length, timeout);
    insideTransfers += Clock::now() - start;
    return result;
}

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
    const Figures opening = measure(50, [&] {
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
    const Figures refresh = measure(500, [&] { view->refreshAllValues(); });
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
