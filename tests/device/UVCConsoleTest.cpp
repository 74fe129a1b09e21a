#include "device/UVCConsole.h"

#include "support/StdoutCapture.h"

#include <gtest/gtest.h>

#include <latch>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace device {

// Threads print at the same moment, as the hot-plug thread and the main thread do on every
// unplug: read back, every line is one thread's line, whole, and none is lost. Lines of
// several lengths, some longer than the stream's buffer.
TEST(UVCConsoleTest, LinesPrintedFromManyThreadsAtOnceArriveWholeAndApart) {
    constexpr int threads = 8;
    constexpr int linesPerThread = 1500;
    auto lineOf = [](int thread, int number) {
        const std::size_t padding =
            number % 100 == 0 ? 20'000 : static_cast<std::size_t>(number % 7);
        return "Device left: " + std::to_string(thread) + ":" + std::to_string(number) +
               std::string(padding, 'x');
    };
    sim::StdoutCapture output;
    std::latch start(threads);
    std::vector<std::jthread> printers;
    for (int thread = 0; thread < threads; ++thread) {
        printers.emplace_back([&, thread] {
            start.arrive_and_wait();
            for (int number = 0; number < linesPerThread; ++number) {
                UVCConsole::printLine(lineOf(thread, number));
            }
        });
    }
    printers.clear();

    std::map<std::string, int> expected;
    for (int thread = 0; thread < threads; ++thread) {
        for (int number = 0; number < linesPerThread; ++number) {
            ++expected[lineOf(thread, number)];
        }
    }
    std::map<std::string, int> seen;
    int foreign = 0;
    for (const std::string& line : output.lines()) {
        foreign += expected.count(line) == 0;
        ++seen[line];
    }
    EXPECT_EQ(foreign, 0) << "lines were split or merged";
    EXPECT_TRUE(seen == expected) << "lines were lost or doubled";
}

} // namespace device
