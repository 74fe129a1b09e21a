#include "platform/core/CaptureAccess.h"

#include "support/SimulatedCamera.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace platform {

namespace {

struct Answer {
    bool granted = false;
    bool onCallerThread = true;
};

Answer requestAccess() {
    auto promise = std::make_shared<std::promise<Answer>>();
    auto future = promise->get_future();
    CaptureAccess::requestAccess([promise, caller = std::this_thread::get_id()](bool granted) {
        promise->set_value({granted, std::this_thread::get_id() == caller});
    });
    EXPECT_EQ(future.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    return future.get();
}

class CaptureAccessTest : public ::testing::Test {
protected:
    void SetUp() override { camera.plug(); }
    void TearDown() override { CaptureAccess::forceAnswer(std::nullopt); }

    sim::SimulatedCamera camera;
};

} // namespace

TEST_F(CaptureAccessTest, AnswersOnAWorkerThreadAndAForcedAnswerStandsUntilLifted) {
    Answer real = requestAccess();
    CaptureAccess::forceAnswer(false);
    Answer forced = requestAccess();

    EXPECT_TRUE(real.granted);
    EXPECT_FALSE(real.onCallerThread);
    EXPECT_FALSE(forced.granted);
    EXPECT_FALSE(forced.onCallerThread);
}

TEST_F(CaptureAccessTest, RefusesWhileTheCameraNodeCannotBeOpenedForReadingAndWriting) {
    // A superuser passes every access(2) check: judge as "nobody" (real user id) instead,
    // keeping the effective id to switch back.
    bool asNobody = getuid() == 0;
    if (asNobody) {
        chmod(camera.umockdevDir().c_str(), 0711);
        ASSERT_EQ(setreuid(65534, static_cast<uid_t>(-1)), 0);
    }
    EXPECT_EQ(chmod("/dev/video0", 0444), 0);
    Answer readOnly = requestAccess();
    EXPECT_EQ(chmod("/dev/video0", 0666), 0);
    Answer readWrite = requestAccess();
    if (asNobody) {
        ASSERT_EQ(setreuid(0, static_cast<uid_t>(-1)), 0);
    }

    EXPECT_FALSE(readOnly.granted);
    EXPECT_TRUE(readWrite.granted);
}

} // namespace platform
