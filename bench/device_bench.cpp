// Cost of the camera requests against the simulated camera, on both routes side by side: the
// median time of one getter, one setter, one poll tick and one reset, and the share of that time
// spent outside the kernel call of the route (libusb's control transfer for usbfs, the ioctl on
// the video node for the driver): our own code, the printed lines included.

#include "BenchFigures.h"
#include "ControlTransferTiming.h"
#include "device/UVCContext.h"
#include "device/UVCDevice.h"
#include "support/SimulatedCamera.h"

#include <QCoreApplication>
#include <sys/wait.h>

#include <array>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <dlfcn.h>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

namespace {

using device::UVCContext;
using device::UVCDevice;

using bench::BenchFigures;
using bench::Clock;
using bench::measure;

constexpr int operations = 4;
constexpr std::array<const char*, operations> operationNames = {
    "getter (getBrightness)", "setter (setBrightness)", "poll tick (button idle)", "resetAll()"};

// Standard output goes to /dev/null while the operations print their lines.
class Silence {
public:
    Silence()
        : saved(dup(STDOUT_FILENO)) {
        std::fflush(stdout);
        const int null = ::open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        close(null);
    }
    ~Silence() {
        std::fflush(stdout);
        dup2(saved, STDOUT_FILENO);
        close(saved);
    }

private:
    int saved;
};

} // namespace

// The measuring thread's time in the kernel call of the route counts as inside: libusb's control
// transfer (ControlTransferTiming.h) for usbfs, the ioctl for the video node; ioctls made by
// libusb itself count as libusb's.
// Every ioctl passes here on its way to the umockdev preload library (and the emulated node).
extern "C" int ioctl(int fd, unsigned long request, ...) {
    using Ioctl = int (*)(int, unsigned long, ...);
    static const auto real = reinterpret_cast<Ioctl>(dlsym(RTLD_NEXT, "ioctl"));
    va_list arguments;
    va_start(arguments, request);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    if (bench::inControlTransfer || !bench::measuring) {
        return real(fd, request, argument);
    }
    const auto start = Clock::now();
    const int result = real(fd, request, argument);
    bench::insideCountedCalls += Clock::now() - start;
    return result;
}

namespace {

// Measures one route in a process of its own (each needs a testbed made before any libusb
// context) and writes its figures to `out`.
int measureRoute(bool viaDriver, int out, int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    sim::SimulatedCamera camera;
    if (viaDriver) {
        camera.bindDriver();
        // Manual exposure and white balance, so that the driver takes every write of a reset.
        camera.setCurrent(sim::SimulatedCamera::cameraTerminal, 0x02, {0x01});
        camera.setCurrent(sim::SimulatedCamera::processingUnit, 0x0B, {0x00});
    }
    camera.plug();
    constexpr int runs = 200;
    std::array<BenchFigures, operations> figures{};
    {
        Silence silence;
        auto device = UVCContext::shared().findDevice(0x0C45, 0x6366);
        if (!device) {
            return 1;
        }
        device->setTimer(nullptr); // ticks are run here, not by the event loop
        int64_t value = 0;
        figures = {
            measure(runs, [&] { device->getBrightness(UVCDevice::ValueType::current); }),
            measure(runs, [&] { device->setBrightness(++value % 64); }),
            measure(runs, [&] { device->performPostInitializationTasks1D(); }),
            measure(runs / 4, [&] { device->resetAll(); }),
        };
        camera.clearTransfers();
    }
    const auto written = write(out, figures.data(), sizeof figures);
    return written == static_cast<ssize_t>(sizeof figures) ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    std::array<std::array<BenchFigures, operations>, 2> routes{};
    for (size_t route = 0; route < routes.size(); ++route) {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) {
            return 1;
        }
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            close(pipeEnds[0]);
            _exit(measureRoute(route == 1, pipeEnds[1], argc, argv));
        }
        close(pipeEnds[1]);
        const auto got = read(pipeEnds[0], routes[route].data(), sizeof routes[route]);
        close(pipeEnds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (got != static_cast<ssize_t>(sizeof routes[route]) || status != 0) {
            std::fprintf(stderr, "device_bench: the %s route could not be measured\n",
                         route == 0 ? "usbfs" : "video node");
            return 1;
        }
    }
    std::printf("device_bench: medians against the simulated camera; share outside the kernel "
                "call\n");
    std::printf("  %-26s %24s %24s\n", "", "usbfs (libusb)", "video node (ioctl)");
    for (int operation = 0; operation < operations; ++operation) {
        const BenchFigures& usb = routes[0][static_cast<size_t>(operation)];
        const BenchFigures& node = routes[1][static_cast<size_t>(operation)];
        std::printf("  %-26s %9.1f us %7.1f %%   %9.1f us %7.1f %%\n",
                    operationNames[static_cast<size_t>(operation)], usb.wallMicroseconds,
                    100.0 * usb.shareOutside, node.wallMicroseconds, 100.0 * node.shareOutside);
    }
    return 0;
}
