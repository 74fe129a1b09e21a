// A day of plugging: the whole utility, as the user runs it on a virtual display with a tray,
// while the simulated camera is unplugged and plugged 1,000 times, its control window opened
// through the tray menu on every other cycle. Prints the growth of the resident memory per cycle
// after the warm-up, the open descriptors and threads at the start, after the warm-up and at the
// end, the time taken, and whether the utility ended on the way. Every status item ever built
// keeps its two observations, a few hundred bytes: that much growth per cycle is by design.
// VISTREL_ENDURANCE_CYCLES sets another number of cycles.

#include "UtilityUnderTray.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int defaultCycles = 1000;
constexpr int warmUpCycles = 100;
constexpr auto startTimeout = 20s;
constexpr auto eventTimeout = 10s;
// The utility has done all a change asked of it once it has written nothing for this long.
constexpr auto quietTime = 30ms;
constexpr auto pollStep = 2ms;

constexpr const char* arrivedLine = "Device arrived: 3141:25446";
constexpr const char* leftLine = "Device left: 3141:25446";
constexpr const char* addedLine = "Device added: VISTREL";
constexpr const char* removedLine = "Device removed: VISTREL";
constexpr const char* connectedLine = "Device connected: VISTREL";
constexpr const char* disconnectedLine = "Device disconnected: VISTREL";

long openDescriptors(pid_t pid) {
    std::error_code error;
    long count = 0;
    for (std::filesystem::directory_iterator entry("/proc/" + std::to_string(pid) + "/fd", error);
         !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        ++count;
    }
    return count;
}

struct Sample {
    long residentKilobytes;
    long descriptors;
    long threads;
};

Sample sample(pid_t pid) {
    return {bench::statusField(pid, "VmRSS"), openDescriptors(pid),
            bench::statusField(pid, "Threads")};
}

// Least-squares slope of the samples against their index.
double slope(const std::vector<long>& values) {
    const double n = static_cast<double>(values.size());
    double sumX = 0;
    double sumY = 0;
    double sumXY = 0;
    double sumXX = 0;
    for (std::size_t index = 0; index < values.size(); ++index) {
        const double x = static_cast<double>(index);
        const double y = static_cast<double>(values[index]);
        sumX += x;
        sumY += y;
        sumXY += x * y;
        sumXX += x * x;
    }
    const double denominator = n * sumXX - sumX * sumX;
    return denominator == 0 ? 0 : (n * sumXY - sumX * sumY) / denominator;
}

// Lines counted over the whole run.
using LineCounts = std::map<std::string, long>;

// Waits until the utility has written at least the wanted number of each line since the call,
// then until it has been quiet for a moment. False when the lines did not come in time.
bool settle(sim::ChildProcess& utility, const LineCounts& wanted, LineCounts& total) {
    LineCounts seen;
    const auto deadline = Clock::now() + eventTimeout;
    auto lastOutput = Clock::now();
    for (;;) {
        const std::vector<std::string> lines = utility.takeLines();
        for (const std::string& line : lines) {
            ++seen[line];
            ++total[line];
        }
        if (!lines.empty()) {
            lastOutput = Clock::now();
        }
        bool complete = true;
        for (const auto& [line, count] : wanted) {
            complete = complete && seen[line] >= count;
        }
        if (complete && Clock::now() - lastOutput >= quietTime) {
            return true;
        }
        if (Clock::now() >= deadline || !utility.running()) {
            return false;
        }
        std::this_thread::sleep_for(pollStep);
    }
}

// The camera's item is the first of the tray menu; the window it opens is the only top-level
// window of the utility.
bool openControlWindow(sim::TrayHost& tray) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::optional<sim::ScreenRect> icon = tray.waitForIcon("vistrel", eventTimeout);
        if (!icon) {
            return false;
        }
        tray.click(*icon);
        if (const std::optional<sim::ScreenRect> menu = tray.waitForPopup("vistrel", 2s)) {
            tray.click({menu->x, menu->y + 4, menu->width, 8});
            if (tray.waitForTopLevel("vistrel", 5s)) {
                return true;
            }
        }
    }
    return false;
}

void printSample(const char* when, const Sample& figures) {
    std::printf("%-22s resident %.1f MB, %ld descriptors, %ld threads\n", when,
                static_cast<double>(figures.residentKilobytes) / 1024.0, figures.descriptors,
                figures.threads);
}

int cycleCount() {
    const char* value = std::getenv("VISTREL_ENDURANCE_CYCLES");
    return value != nullptr && std::atoi(value) > warmUpCycles ? std::atoi(value) : defaultCycles;
}

} // namespace

int main() {
    const int cycles = cycleCount();
    bench::UtilityUnderTray setting;
    sim::SimulatedCamera& camera = setting.camera;
    sim::TrayHost& tray = setting.tray;
    const Clock::time_point started = Clock::now();
    const std::unique_ptr<sim::ChildProcess> owned = setting.startUtility();
    sim::ChildProcess& utility = *owned;
    LineCounts total;
    if (!settle(utility, {{addedLine, 1}}, total) || !tray.waitForIcon("vistrel", startTimeout)) {
        std::printf("the utility did not list the camera in the tray\n");
        return 1;
    }
    const Sample atStart = sample(utility.pid());
    Sample afterWarmUp{};
    std::vector<long> resident;
    int incomplete = 0;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        // Every status item ever built (one at the start, one per arrival) keeps its two
        // observations, and each prints its line.
        const long statusItems = 1 + total[arrivedLine];
        camera.unplug();
        bool complete = settle(utility, {{removedLine, 1}, {disconnectedLine, statusItems}}, total);
        camera.plug();
        complete =
            settle(utility, {{addedLine, 1}, {connectedLine, statusItems}}, total) && complete;
        if (cycle % 2 == 1 && !(openControlWindow(tray) && settle(utility, {}, total))) {
            std::printf("cycle %d: the control window did not open\n", cycle);
            complete = false;
        }
        camera.clearTransfers();
        if (!utility.running()) {
            const std::optional<int> status = utility.waitForExit(0ms);
            std::printf("CRASH: the utility ended in cycle %d (%s)\n", cycle,
                        status ? ("exit status " + std::to_string(*status)).c_str()
                               : "by a signal");
            return 1;
        }
        incomplete += complete ? 0 : 1;
        if (cycle == warmUpCycles) {
            afterWarmUp = sample(utility.pid());
        }
        if (cycle >= warmUpCycles) {
            resident.push_back(bench::statusField(utility.pid(), "VmRSS"));
        }
        if (cycle % 100 == 0) {
            std::printf("cycle %4d: resident %.1f MB\n", cycle,
                        static_cast<double>(resident.back()) / 1024.0);
            std::fflush(stdout);
        }
    }
    const Sample atEnd = sample(utility.pid());
    printSample("at the start:", atStart);
    printSample("after the warm-up:", afterWarmUp);
    printSample("at the end:", atEnd);
    std::printf("cycles: %d, the control window opened in every other one; %d with a line "
                "missing; hot-plug arrivals %ld, departures %ld\n",
                cycles, incomplete, total[arrivedLine], total[leftLine]);
    std::printf("growth per cycle after %d cycles of warm-up: %.2f KB (least squares), %.2f KB "
                "(end points)\n",
                warmUpCycles, slope(resident),
                static_cast<double>(atEnd.residentKilobytes - afterWarmUp.residentKilobytes) /
                    static_cast<double>(cycles - warmUpCycles));
    // The first control windows start Qt Multimedia's threads for good.
    std::printf("descriptors %s, threads %s at the end as after the warm-up; no crash\n",
                atEnd.descriptors == afterWarmUp.descriptors ? "equal" : "NOT equal",
                atEnd.threads == afterWarmUp.threads ? "equal" : "NOT equal");
    std::printf("time: %.0f s\n", std::chrono::duration<double>(Clock::now() - started).count());
    return 0;
}
