// The whole utility as the user runs it, against the simulated camera on a virtual display with
// a tray: the time from its start to its tray icon, its resident memory after 10 s, and its CPU
// use over 30 s of idling with the camera's button polled, as a share of one core. The same idle
// time without the poll (firmware that has no button) gives the share outside the transfers.

#include "UtilityUnderTray.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto settleTime = 10s;
constexpr auto idleTime = 30s;

// User plus system time of the process so far, in clock ticks.
long cpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long utime = 0;
    long stime = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 14) {
            utime = std::stol(field);
        } else if (index == 15) {
            stime = std::stol(field);
            break;
        }
    }
    return utime + stime;
}

double idleShare(pid_t pid) {
    const long before = cpuTicks(pid);
    std::this_thread::sleep_for(idleTime);
    const double seconds =
        static_cast<double>(cpuTicks(pid) - before) / static_cast<double>(sysconf(_SC_CLK_TCK));
    return 100.0 * seconds / std::chrono::duration<double>(idleTime).count();
}

} // namespace

int main() {
    bench::UtilityUnderTray setting;
    const Clock::time_point started = Clock::now();
    auto utility = setting.startUtility();
    if (!setting.tray.waitForIcon("vistrel", 20s)) {
        std::printf("the tray icon never showed\n");
        return 1;
    }
    const auto toIcon =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started);
    std::printf("start to tray icon:             %lld ms (target < 300 ms; +-20 ms)\n",
                static_cast<long long>(toIcon.count()));

    std::this_thread::sleep_for(settleTime - (Clock::now() - started));
    std::printf("resident memory after 10 s:     %.1f MB (target < 60 MB)\n",
                static_cast<double>(bench::statusField(utility->pid(), "VmRSS")) / 1024.0);
    std::printf("CPU over 30 s, button polled:   %.2f %% of one core\n", idleShare(utility->pid()));
    utility.reset();

    // The same without the button poll: firmware other than 35 leaves the button alone.
    setting.camera.setFirmwareCode(0x36);
    utility = setting.startUtility();
    utility->waitForLine("Device added: VISTREL", 20s);
    std::this_thread::sleep_for(settleTime);
    std::printf("CPU over 30 s, no transfers:    %.2f %% of one core (target < 0.2 %%)\n",
                idleShare(utility->pid()));
    return 0;
}
