// Key events as a focused X client receives them from the virtual display.
#include "platform/core/KeyEvent.h"

#include "support/KeystrokeRecorder.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <string>

// Xlib after every other header: its macros clash with other code.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace platform {

namespace {

using sim::RecordedKey;

constexpr unsigned shiftState = 0x01;
constexpr unsigned controlState = 0x04;
constexpr unsigned altState = 0x08; // Mod1, where Xvfb's default keymap puts Alt_L
constexpr auto waitLimit = std::chrono::seconds(5);

enum VirtualKey : uint16_t {
    keyA = 0,
    keyS = 1,
    keyC = 8,
    keyReturn = 36,
    keyJ = 38,
    keySpace = 49,
    keyOption = 58
};

// The keys of the profiles that need no modifier, with the keysym each one arrives as.
struct ProfileKey {
    uint16_t key;
    const char* keysym;
};
constexpr std::array<ProfileKey, 6> plainProfileKeys{{
    {keyA, "a"},
    {keyS, "s"},
    {keyC, "c"},
    {keyReturn, "Return"},
    {keyJ, "j"},
    {keySpace, "space"},
}};

void send(uint16_t key, bool down, uint64_t flags = 0) {
    auto event = KeyEvent::create(key, down);
    ASSERT_NE(event, nullptr) << "virtual key " << key;
    if (flags != 0)
        event->setFlags(flags);
    event->post();
}

std::vector<RecordedKey> only(const std::vector<RecordedKey>& events, const std::string& keysym) {
    std::vector<RecordedKey> matching;
    std::copy_if(events.begin(), events.end(), std::back_inserter(matching),
                 [&](const RecordedKey& key) { return key.keysym == keysym; });
    return matching;
}

// Sets or clears DISPLAY for the life of the object.
class DisplayVariable {
public:
    explicit DisplayVariable(const char* value) {
        if (const char* current = std::getenv("DISPLAY"))
            previous = current;
        value ? setenv("DISPLAY", value, 1) : unsetenv("DISPLAY");
    }
    ~DisplayVariable() { previous ? setenv("DISPLAY", previous->c_str(), 1) : unsetenv("DISPLAY"); }

private:
    std::optional<std::string> previous;
};

class KeyEventTest : public ::testing::Test {
protected:
    sim::VirtualDisplay display;
    sim::KeystrokeRecorder recorder;
};

} // namespace

TEST_F(KeyEventTest, EachProfileKeyArrivesWithItsKeysymAndNoModifier) {
    std::vector<RecordedKey> expected;
    for (const auto& [key, keysym] : plainProfileKeys) {
        send(key, true);
        send(key, false);
        expected.push_back({true, keysym, 0});
        expected.push_back({false, keysym, 0});
    }
    EXPECT_EQ(recorder.waitForEvents(expected.size(), waitLimit), expected);
}

TEST_F(KeyEventTest, OptionIsTheLeftAltAndStaysHeldForTheKeysAfterIt) {
    send(keyOption, true);
    send(keyReturn, true);
    send(keyReturn, false);
    send(keyOption, false);
    send(keySpace, true);
    const std::vector<RecordedKey> expected{
        {true, "Alt_L", 0},         {true, "Return", altState}, {false, "Return", altState},
        {false, "Alt_L", altState}, {true, "space", 0},
    };
    EXPECT_EQ(recorder.waitForEvents(expected.size(), waitLimit), expected);
}

TEST_F(KeyEventTest, CommandAndShiftAreHeldAroundTheKeyAndReleasedAfterIt) {
    send(keyJ, true, KeyEvent::maskCommand | KeyEvent::maskShift);
    send(keyJ, false, KeyEvent::maskCommand | KeyEvent::maskShift);
    send(keyReturn, true);
    send(keyReturn, false);
    const auto events = recorder.settle();

    const std::vector<RecordedKey> j{{true, "j", controlState | shiftState},
                                     {false, "j", controlState | shiftState}};
    EXPECT_EQ(only(events, "j"), j);
    // Nothing stays held: the next plain key carries no modifier.
    const std::vector<RecordedKey> plainReturn{{true, "Return", 0}, {false, "Return", 0}};
    EXPECT_EQ(only(events, "Return"), plainReturn);
}

TEST_F(KeyEventTest, CommandAloneHoldsOnlyControlAndOnlyForItsOwnEvent) {
    // A with Command held across an unflagged S: S must not see Control.
    send(keyA, true, KeyEvent::maskCommand);
    send(keyS, true);
    send(keyS, false);
    send(keyA, false, KeyEvent::maskCommand);
    const auto events = recorder.settle();

    const std::vector<RecordedKey> a{{true, "a", controlState}, {false, "a", controlState}};
    EXPECT_EQ(only(events, "a"), a);
    const std::vector<RecordedKey> s{{true, "s", 0}, {false, "s", 0}};
    EXPECT_EQ(only(events, "s"), s);
    EXPECT_TRUE(only(events, "Shift_L").empty());
}

TEST_F(KeyEventTest, EventsArriveInPostingOrderNotCreationOrder) {
    auto jDown = KeyEvent::create(keyJ, true);
    auto jUp = KeyEvent::create(keyJ, false);
    auto cDown = KeyEvent::create(keyC, true);
    ASSERT_TRUE(jDown && jUp && cDown);
    cDown->post();
    jDown->post();
    jUp->post();
    const std::vector<RecordedKey> expected{{true, "c", 0}, {true, "j", 0}, {false, "j", 0}};
    EXPECT_EQ(recorder.waitForEvents(expected.size(), waitLimit), expected);
}

TEST_F(KeyEventTest, AModifierTheUserAlreadyHoldsIsNotReleased) {
    Display* user = XOpenDisplay(nullptr);
    ASSERT_NE(user, nullptr);
    const KeyCode control = XKeysymToKeycode(user, XK_Control_L);
    XTestFakeKeyEvent(user, control, True, CurrentTime);
    XSync(user, False);

    send(keyC, true, KeyEvent::maskCommand);
    send(keyC, false, KeyEvent::maskCommand);
    send(keyS, true);
    const auto events = recorder.settle();

    const std::vector<RecordedKey> expected{{true, "Control_L", 0},
                                            {true, "c", controlState},
                                            {false, "c", controlState},
                                            {true, "s", controlState}};
    EXPECT_EQ(events, expected);
    XTestFakeKeyEvent(user, control, False, CurrentTime);
    XCloseDisplay(user);
}

TEST_F(KeyEventTest, AKeyOutsideTheProfilesHasNoEvent) {
    for (uint16_t key : {2, 35, 59, 55, 0xFFFF})
        EXPECT_EQ(KeyEvent::create(key, true), nullptr) << "virtual key " << key;
    EXPECT_TRUE(recorder.settle(std::chrono::milliseconds(100)).empty());
}

TEST(KeyEventWithoutDisplayTest, CreationFailsWithoutCrashing) {
    for (const char* value : {static_cast<const char*>(nullptr), ":97", ""}) {
        DisplayVariable variable(value);
        for (uint16_t key : {keyA, keyS, keyC, keyReturn, keyJ, keySpace, keyOption}) {
            EXPECT_EQ(KeyEvent::create(key, true), nullptr)
                << "DISPLAY=" << (value ? value : "(unset)") << " key " << key;
        }
    }
}

} // namespace platform
