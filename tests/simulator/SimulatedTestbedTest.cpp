// The testbed of a process: making it adds no name to the environment, since umockdev's worker
// thread reads the environment while the testbed is made and an added name moves its array.
#include "support/SimulatedTestbed.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

extern char** environ;

namespace sim {

namespace {

constexpr const char* probeVariable = "VISTREL_FIRST_TESTBED_PROBE";

std::size_t names() {
    std::size_t count = 0;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        ++count;
    }
    return count;
}

} // namespace

// Checked in a process of its own, started without UMOCKDEV_DIR, whose first testbed it is.
TEST(SimulatedTestbedTest, TheFirstTestbedOfAProcessAddsNoNameToTheEnvironment) {
    if (std::getenv(probeVariable) != nullptr) {
        const std::size_t before = names();
        SimulatedTestbed::processWide();
        EXPECT_EQ(names(), before);
        return;
    }
    const ::testing::TestInfo* self = ::testing::UnitTest::GetInstance()->current_test_info();
    ChildProcess probe(
        "/proc/self/exe",
        {std::string("--gtest_filter=") + self->test_suite_name() + "." + self->name()},
        {{probeVariable, "1"}, {"UMOCKDEV_DIR", std::nullopt}});
    EXPECT_EQ(probe.waitForExit(std::chrono::seconds(30)), 0);
}

} // namespace sim
