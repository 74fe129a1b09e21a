#include "CameraTest.h"
#include "device/UVCKeystrokeProfile.h"
#include "platform/core/Timer.h"
#include "platform/core/UserDefaults.h"
#include "support/KeystrokeRecorder.h"
#include "support/VirtualDisplay.h"

#include <QElapsedTimer>

namespace device {

namespace {

using namespace std::chrono_literals;
using Keys = std::vector<sim::RecordedKey>;

class UVCDevicePollTest : public CameraTest {
protected:
    UVCDevicePollTest() {
        // Pauses are recorded instead of slept.
        sleep =
            UVCKeystrokeProfile::replacePause([this](auto length) { pauses.push_back(length); });
    }
    ~UVCDevicePollTest() override { UVCKeystrokeProfile::replacePause(sleep); }

    static void choose(const std::string& profile, const std::string& delay = "disabled") {
        platform::UserDefaults::standard().set(profile, UVCKeystrokeProfile::settingKey);
        platform::UserDefaults::standard().set(delay, UVCKeystrokeProfile::delayKey);
    }
    size_t buttonReads() const {
        const auto requests = classRequests();
        return std::count_if(requests.begin(), requests.end(), [](const auto& request) {
            return request.unit() == 3 && request.selector() == 1 && request.bRequest == 0x81;
        });
    }
    // One press through the 1D tick; answers the pauses it asked for.
    std::vector<std::chrono::milliseconds> press() {
        camera.scriptButtonCodes({0x19});
        pauses.clear();
        device->performPostInitializationTasks1D();
        return pauses;
    }

    std::shared_ptr<UVCDevice> device;
    UVCKeystrokeProfile::Pause sleep;
    std::vector<std::chrono::milliseconds> pauses;
};

// Keystrokes reach a focused window of a virtual display. Ticks are run by hand unless a test
// opens the camera again.
class UVCDeviceKeystrokeTest : public UVCDevicePollTest {
protected:
    void SetUp() override {
        device = openCamera();
        ASSERT_TRUE(device);
        device->setTimer(nullptr);
        output.clear();
    }
    // The events recorded since the last call: once `count` of them came while the event loop
    // ran, or (count 0) once none came for a while. Without the Control and Shift presses that
    // hold a flagged event's modifiers around it.
    Keys newEvents(size_t count = 0) {
        runEventLoopUntil(
            [&] { return recorder.waitForEvents(seen + count, 10ms).size() >= seen + count; });
        const auto all = recorder.settle();
        Keys fresh;
        std::copy_if(
            all.begin() + static_cast<std::ptrdiff_t>(seen), all.end(), std::back_inserter(fresh),
            [](const auto& key) { return key.keysym != "Control_L" && key.keysym != "Shift_L"; });
        seen = all.size();
        return fresh;
    }

    sim::VirtualDisplay display;
    sim::KeystrokeRecorder recorder;
    size_t seen = 0;
};

} // namespace

TEST_P(UVCDevicePollTest, ThePollTicksOnTheEventLoopEveryHundredFiftyMilliseconds) {
    device = openCamera();
    ASSERT_TRUE(device->timer());
    EXPECT_EQ(device->timer()->interval(), 150ms);
    ASSERT_TRUE(runEventLoopUntil([&] { return buttonReads() >= 3; }));
    EXPECT_EQ(output.lines().back(), "The value is: 1D");
}

TEST_P(UVCDevicePollTest, ACodeOfZeroStopsThePollForGood) {
    device = openCamera();
    camera.scriptButtonCodes({0x1D, 0x00, 0x19, 0x19});
    ASSERT_TRUE(runEventLoopUntil([&] { return buttonReads() >= 2; }));
    runEventLoop(600ms);
    EXPECT_EQ(buttonReads(), 2u);
    EXPECT_TRUE(device->timer());
}

TEST_P(UVCDevicePollTest, AReleasedDevicesTimerDoesNothing) {
    device = openCamera();
    device.reset();
    output.clear();
    runEventLoop(600ms);
    EXPECT_TRUE(camera.transfers().empty());
    EXPECT_TRUE(output.lines().empty());
}

// A camera that has gone is reported gone, whichever way its requests went: the tick reports
// each of its two requests and reads "00".
TEST_P(UVCDevicePollTest, ATickOnACameraThatHasGoneReportsItGone) {
    device = openCamera();
    camera.unplug();
    output.clear();
    device->performPostInitializationTasks1D();
    const std::string failed = "Unable to get value.";
    const std::string gone =
        "libusb_control_transfer error: No such device (it may have been disconnected) (-4)";
    EXPECT_EQ(output.lines(),
              (std::vector<std::string>{failed, gone, failed, gone, "The value is: 00"}));
}

TEST_P(UVCDevicePollTest, WithoutADisplayTheEventsAreSkippedAndThePausesKept) {
    unsetenv("DISPLAY");
    device = openCamera();
    choose("Quick Camera", "enabled");
    EXPECT_EQ(press(), (std::vector{900ms, 1000ms}));
}

TEST_P(UVCDeviceKeystrokeTest, EveryTickReadingThePressedCodeSendsTheProfileAgain) {
    choose("Enter");
    device = openCamera();
    camera.scriptButtonCodes({0x19, 0x19, 0x1D});
    const Keys once{{true, "Return", 0}, {false, "Return", 0}};
    EXPECT_EQ(newEvents(4), (Keys{once[0], once[1], once[0], once[1]}));
}

TEST_P(UVCDeviceKeystrokeTest, TheIdleCodeOrAnotherRowsPressedCodeIsOnlyPrinted) {
    choose("Enter");
    camera.scriptButtonCodes({0x1D, 0x29});
    device->performPostInitializationTasks1D();
    device->performPostInitializationTasks1D();
    EXPECT_EQ(output.lines(), (std::vector<std::string>{"The value is: 1D", "The value is: 29"}));
    EXPECT_EQ(newEvents(), Keys{});
}

// The timer of each idle code runs the tick that takes its row's pressed code, and only that
// code, for a press: the idle code read twice and the stop code after the press send nothing.
TEST_P(UVCDeviceKeystrokeTest, EachIdleCodePollsForItsOwnPressedCode) {
    choose("Space");
    const std::pair<uint8_t, uint8_t> codes[] = {
        {0x1D, 0x19}, {0x2D, 0x29}, {0x3D, 0x39}, {0x4D, 0x49}, {0x5D, 0x59}, {0x6D, 0x69},
        {0x7D, 0x79}, {0x8D, 0x89}, {0x9D, 0x99}, {0xBD, 0xB9}, {0x65, 0x61}};
    for (const auto& [idle, pressed] : codes) {
        SCOPED_TRACE(static_cast<int>(idle));
        camera.setButtonCode(idle);
        device = openCamera();
        camera.scriptButtonCodes({pressed, idle, idle, 0x00});
        ASSERT_TRUE(runEventLoopUntil([&] { return buttonReads() >= 4; }));
        EXPECT_EQ(newEvents(), (Keys{{true, "space", 0}, {false, "space", 0}}));
    }
}

TEST_P(UVCDeviceKeystrokeTest, EachProfileSendsItsEventsWithTheirModifiers) {
    const std::pair<std::string, Keys> profiles[] = {
        {"Curve Dental", {{true, "Return", 0}, {false, "Return", 0}}},
        {"Dentrix Ascend",
         {{true, "Alt_L", 0}, {true, "Return", 8}, {false, "Return", 8}, {false, "Alt_L", 8}}},
        {"Enter", {{true, "Return", 0}, {false, "Return", 0}}},
        {"MacPractice DDS", {{true, "j", 5}, {false, "j", 5}}},
        {"Quick Camera",
         {{true, "a", 4},
          {true, "s", 0},
          {false, "s", 0},
          {false, "a", 4},
          {true, "s", 0},
          {false, "s", 0}}},
        {"Sota Imaging", {{true, "c", 0}, {false, "c", 0}}},
        {"Space", {{true, "space", 0}, {false, "space", 0}}},
    };
    for (const auto& [name, keys] : profiles) {
        SCOPED_TRACE(name);
        choose(name);
        const auto asked = press();
        EXPECT_EQ(newEvents(), keys);
        EXPECT_EQ(asked, name == "Quick Camera" ? std::vector{1000ms}
                                                : std::vector<std::chrono::milliseconds>{});
    }
}

TEST_P(UVCDeviceKeystrokeTest, AnUnsetOrUnknownProfileSendsNothing) {
    EXPECT_TRUE(press().empty());
    for (const auto* name : {"enter", "Enter ", "Quick camera"}) {
        choose(name, "enabled");
        EXPECT_TRUE(press().empty()) << name;
    }
    EXPECT_EQ(newEvents(), Keys{});
}

TEST_P(UVCDeviceKeystrokeTest, AnEnabledDelayPausesBeforeTheProfile) {
    for (const auto* delay : {"enabled", "disabled", "Enabled", ""}) {
        choose("Space", delay);
        const bool pauses = std::string(delay) == "enabled";
        EXPECT_EQ(press(), pauses ? std::vector{900ms} : std::vector<std::chrono::milliseconds>{})
            << delay;
        EXPECT_EQ(newEvents().size(), 2u);
    }
}

INSTANTIATE_TEST_SUITE_P(Routes, UVCDevicePollTest, bothRoutes, routeName);
INSTANTIATE_TEST_SUITE_P(Routes, UVCDeviceKeystrokeTest, bothRoutes, routeName);

} // namespace device
