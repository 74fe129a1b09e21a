#include "device/UVCKeystrokeProfile.h"

#include "device/UVCDevice.h"
#include "platform/core/KeyEvent.h"
#include "platform/core/UserDefaults.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

namespace device {

using platform::KeyEvent;

namespace {

// Virtual key codes (key positions of a US ANSI keyboard)
constexpr uint16_t keyA = 0;
constexpr uint16_t keyS = 1;
constexpr uint16_t keyC = 8;
constexpr uint16_t keyReturn = 36;
constexpr uint16_t keyJ = 38;
constexpr uint16_t keySpace = 49;
constexpr uint16_t keyOption = 58;

constexpr uint64_t command = KeyEvent::maskCommand;
constexpr uint64_t commandShift = KeyEvent::maskCommand | KeyEvent::maskShift;

constexpr auto delayPause = std::chrono::milliseconds(900);
constexpr auto quickCameraPause = std::chrono::milliseconds(1000);

UVCKeystrokeProfile::Pause& currentPause() {
    static UVCKeystrokeProfile::Pause pause = [](std::chrono::milliseconds length) {
        std::this_thread::sleep_for(length);
    };
    return pause;
}

void pauseFor(std::chrono::milliseconds length) {
    currentPause()(length);
}

// An event with its modifier flags, or none when it cannot be created.
std::unique_ptr<KeyEvent> flaggedEvent(uint16_t keycode, bool keyDown, uint64_t flags) {
    auto event = KeyEvent::create(keycode, keyDown);
    if (event) {
        event->setFlags(flags);
    }
    return event;
}

void post(const std::unique_ptr<KeyEvent>& event) {
    if (event) {
        event->post();
    }
}

// What the profiles send: unflagged events through the device, flagged ones made here.

void pressReturn(UVCDevice& device) {
    device.postKeyEvent(keyReturn, true);
    device.postKeyEvent(keyReturn, false);
}

void dentrixAscend(UVCDevice& device) {
    device.postKeyEvent(keyOption, true);
    device.postKeyEvent(keyReturn, true);
    device.postKeyEvent(keyReturn, false);
    device.postKeyEvent(keyOption, false);
}

void macPracticeDDS(UVCDevice&) {
    // Both events are made and flagged before the first is posted.
    const auto down = flaggedEvent(keyJ, true, commandShift);
    const auto up = flaggedEvent(keyJ, false, commandShift);
    post(down);
    post(up);
}

void quickCamera(UVCDevice& device) {
    // The two A events live until the profile's last event has been sent.
    const auto aDown = flaggedEvent(keyA, true, command);
    post(aDown);
    device.postKeyEvent(keyS, true);
    device.postKeyEvent(keyS, false);
    const auto aUp = flaggedEvent(keyA, false, command);
    post(aUp);
    pauseFor(quickCameraPause);
    device.postKeyEvent(keyS, true);
    device.postKeyEvent(keyS, false);
}

void sotaImaging(UVCDevice& device) {
    device.postKeyEvent(keyC, true);
    device.postKeyEvent(keyC, false);
}

void space(UVCDevice& device) {
    device.postKeyEvent(keySpace, true);
    device.postKeyEvent(keySpace, false);
}

// One profile: the name the user defaults hold and what a press sends.
struct Profile {
    std::string_view name;
    void (*send)(UVCDevice& device);
};

// In the order of the control window's list.
constexpr std::array<Profile, 7> profiles = {{
    {"Curve Dental", &pressReturn},
    {"Dentrix Ascend", &dentrixAscend},
    {"Enter", &pressReturn},
    {"MacPractice DDS", &macPracticeDDS},
    {"Quick Camera", &quickCamera},
    {"Sota Imaging", &sotaImaging},
    {"Space", &space},
}};

// The first column of the profiles.
constexpr std::array<std::string_view, profiles.size()> profileNames() {
    std::array<std::string_view, profiles.size()> names;
    std::ranges::transform(profiles, names.begin(), &Profile::name);
    return names;
}

} // namespace

const std::array<std::string_view, 7> UVCKeystrokeProfile::names = profileNames();

void UVCKeystrokeProfile::sendChosenProfile(UVCDevice& device) {
    auto& defaults = platform::UserDefaults::standard();
    const auto setting = defaults.string(settingKey);
    const auto delay = defaults.string(delayKey);
    if (!setting) {
        return;
    }
    for (const Profile& profile : profiles) {
        if (*setting != profile.name) {
            continue;
        }
        if (delay == delayEnabled) {
            pauseFor(delayPause);
        }
        profile.send(device);
    }
}

UVCKeystrokeProfile::Pause UVCKeystrokeProfile::replacePause(Pause pause) {
    std::swap(pause, currentPause());
    return pause;
}

} // namespace device
