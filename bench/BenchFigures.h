#pragma once
// Figures of one operation run many times: the median wall and thread CPU time of a run, and the
// share of the wall time spent outside the calls the bench program counts (the library or kernel
// calls it passes through).

#include <algorithm>
#include <chrono>
#include <ctime>
#include <functional>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;
using Nanoseconds = std::chrono::nanoseconds;

// While measure runs, the program adds the time its counted calls take on the measuring thread.
inline Nanoseconds insideCountedCalls{0};
// True on the thread that runs measure's operation, while it runs it.
inline thread_local bool measuring = false;

struct BenchFigures {
    double wallMicroseconds;
    double cpuMicroseconds;
    double shareOutside;
};

inline double threadCpuMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

inline double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Runs the operation `runs` times on the calling thread.
inline BenchFigures measure(int runs, const std::function<void()>& operation) {
    std::vector<double> walls;
    std::vector<double> cpus;
    Nanoseconds total{0};
    insideCountedCalls = Nanoseconds{0};
    measuring = true;
    for (int run = 0; run < runs; ++run) {
        const double cpuStart = threadCpuMicroseconds();
        const auto start = Clock::now();
        operation();
        const auto wall = Clock::now() - start;
        cpus.push_back(threadCpuMicroseconds() - cpuStart);
        walls.push_back(std::chrono::duration<double, std::micro>(wall).count());
        total += wall;
    }
    measuring = false;
    const double outside =
        1.0 - static_cast<double>(insideCountedCalls.count()) / static_cast<double>(total.count());
    return {median(walls), median(cpus), outside};
}

} // namespace bench
