#include "app/SingleInstance.h"

#include "support/ChildProcess.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <ostream>

namespace app {

namespace {

// A first utility on one display, then a start on another: one session or two.
struct SessionCase {
    const char* name;
    const char* first;
    const char* next;
    bool nextIsFirst;
};

const SessionCase sessionCases[] = {
    {"SameDisplay", ":5", ":5", false},
    {"ScreenOfTheSameDisplay", ":5", ":5.1", false},
    {"AnotherDisplay", ":5", ":6", true},
    {"AnotherHost", "host:5", "other/host:5", true},
};

void PrintTo(const SessionCase& session, std::ostream* out) {
    *out << session.name;
}

class SingleInstanceTest : public ::testing::Test {
protected:
    QTemporaryDir lockDirectory;
    const std::string directory = lockDirectory.path().toStdString();
};

class SessionTest : public SingleInstanceTest, public ::testing::WithParamInterface<SessionCase> {};

} // namespace

TEST_P(SessionTest, OneUtilityPerUserAndDisplay) {
    const SingleInstance first(GetParam().first, directory);
    ASSERT_TRUE(first.isFirst());
    EXPECT_EQ(SingleInstance(GetParam().next, directory).isFirst(), GetParam().nextIsFirst);
}

INSTANTIATE_TEST_SUITE_P(Displays, SessionTest, ::testing::ValuesIn(sessionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SingleInstanceTest, TheLockEndsWithItsHolderNotWithAProgramItStarted) {
    auto holder = std::make_unique<SingleInstance>(":5", directory);
    ASSERT_TRUE(holder->isFirst());
    // Started while the lock is held, as the utility starts a settings program; its line comes
    // once it runs the program, no longer the copy of this process that fork made.
    sim::ChildProcess started("sh", {"-c", "echo started; exec sleep 60"}, {});
    ASSERT_TRUE(started.waitForLine("started", std::chrono::seconds(10)));
    holder.reset();
    EXPECT_TRUE(SingleInstance(":5", directory).isFirst());
}

} // namespace app
