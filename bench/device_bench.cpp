// Cost of the camera requests against the simulated camera: the median time of one getter, one
// setter, one poll tick and one reset, and the share of that time spent outside libusb (our own
// code, the printed lines included).

#include "device/UVCContext.h"
#include "device/UVCDevice.h"
#include "support/SimulatedCamera.h"

#include <QCoreApplication>
#include <libusb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <dlfcn.h>
#include <fcntl.h>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

using device::UVCContext;
using device::UVCDevice;

using Clock = std::chrono::steady_clock;
using Nanoseconds = std::chrono::nanoseconds;

Nanoseconds insideLibusb{0};

struct Figures {
    double medianMicroseconds;
    double shareOutside;
};

Figures measure(int runs, const std::function<void()>& operation) {
    std::vector<Nanoseconds> totals;
    Nanoseconds total{0};
    insideLibusb = Nanoseconds{0};
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        operation();
        totals.push_back(Clock::now() - start);
        total += totals.back();
    }
    std::nth_element(totals.begin(), totals.begin() + runs / 2, totals.end());
    const double median = std::chrono::duration<double, std::micro>(totals[runs / 2]).count();
    const double outside = 1.0 - static_cast<double>(insideLibusb.count()) / total.count();
    return {median, outside};
}

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
    insideLibusb += Clock::now() - start;
    return result;
}

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    sim::SimulatedCamera camera;
    camera.plug();
    constexpr int runs = 200;
    std::vector<std::pair<const char*, Figures>> figures;
    {
        Silence silence;
        auto device = UVCContext::shared().findDevice(0x0C45, 0x6366);
        if (!device) {
            return 1;
        }
        device->setTimer(nullptr); // ticks are run here, not by the event loop
        int64_t value = 0;
        figures = {
            {"getter (getBrightness)",
             measure(runs, [&] { device->getBrightness(UVCDevice::ValueType::current); })},
            {"setter (setBrightness)", measure(runs, [&] { device->setBrightness(++value % 64); })},
            {"poll tick (button idle)",
             measure(runs, [&] { device->performPostInitializationTasks1D(); })},
            {"resetAll()", measure(runs / 4, [&] { device->resetAll(); })},
        };
        camera.clearTransfers();
    }
    std::printf("device_bench: medians against the simulated camera\n");
    for (const auto& [name, figure] : figures) {
        std::printf("  %-26s %9.1f us   outside libusb %5.1f %%\n", name, figure.medianMicroseconds,
                    100.0 * figure.shareOutside);
    }
    return 0;
}
