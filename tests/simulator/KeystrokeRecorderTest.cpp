// The keystroke recorder on the virtual display, proved with raw XTEST input.
#include "support/KeystrokeRecorder.h"

#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

// Xlib after every other header: its macros clash with other code.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace sim {

namespace {

constexpr auto waitLimit = std::chrono::seconds(5);

// Types keys with XTEST on a connection of its own.
class RawKeyboard {
public:
    RawKeyboard()
        : display(XOpenDisplay(nullptr), XCloseDisplay) {}
    bool connected() const { return display != nullptr; }
    void key(KeySym keysym, bool down) {
        XTestFakeKeyEvent(display.get(), XKeysymToKeycode(display.get(), keysym), down,
                          CurrentTime);
        XSync(display.get(), False);
    }

private:
    std::unique_ptr<Display, int (*)(Display*)> display;
};

class KeystrokeRecorderTest : public ::testing::Test {
protected:
    VirtualDisplay server;
    KeystrokeRecorder recorder;
    RawKeyboard keyboard;
};

} // namespace

TEST_F(KeystrokeRecorderTest, RecordsPressesAndReleasesWithKeysymAndModifierState) {
    ASSERT_TRUE(keyboard.connected());
    keyboard.key(XK_Control_L, true);
    keyboard.key(XK_Shift_L, true);
    keyboard.key(XK_j, true);
    keyboard.key(XK_j, false);
    keyboard.key(XK_Shift_L, false);
    keyboard.key(XK_Control_L, false);
    keyboard.key(XK_Return, true);

    const std::vector<RecordedKey> expected{
        {true, "Control_L", 0}, {true, "Shift_L", 0x04},  {true, "j", 0x05},
        {false, "j", 0x05},     {false, "Shift_L", 0x05}, {false, "Control_L", 0x04},
        {true, "Return", 0},
    };
    EXPECT_EQ(recorder.waitForEvents(expected.size(), waitLimit), expected);
    keyboard.key(XK_Return, false);
}

TEST_F(KeystrokeRecorderTest, WaitingReturnsWhatCameWhenTooFewEventsArrive) {
    ASSERT_TRUE(keyboard.connected());
    keyboard.key(XK_space, true);
    keyboard.key(XK_space, false);
    const auto started = std::chrono::steady_clock::now();
    const auto events = recorder.waitForEvents(3, std::chrono::milliseconds(300));
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(300));
    const std::vector<RecordedKey> expected{{true, "space", 0}, {false, "space", 0}};
    EXPECT_EQ(events, expected);
}

TEST_F(KeystrokeRecorderTest, SettlingCollectsEverythingAndAccumulates) {
    ASSERT_TRUE(keyboard.connected());
    EXPECT_TRUE(recorder.settle(std::chrono::milliseconds(50)).empty());
    keyboard.key(XK_a, true);
    keyboard.key(XK_a, false);
    EXPECT_EQ(recorder.settle().size(), 2u);
    keyboard.key(XK_s, true);
    const auto events = recorder.settle();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events.back(), (RecordedKey{true, "s", 0}));
    keyboard.key(XK_s, false);
}

} // namespace sim
