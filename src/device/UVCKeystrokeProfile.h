#pragma once
// The keystroke profiles that a press of the capture button sends, chosen by name in the user
// defaults, each a fixed sequence of key events with its fixed pauses.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string_view>

namespace device {

class UVCDevice;

class UVCKeystrokeProfile {
public:
    static constexpr const char* settingKey = "Keystroke_Setting";
    static constexpr const char* delayKey = "Keystroke_Delay";
    static constexpr std::string_view delayEnabled = "enabled";

    // The profile names, in the order of the control window's list.
    static const std::array<std::string_view, 7> names;

    // Reads the profile and the delay afresh; when the profile is one of `names`, pauses 0.9 s
    // if the delay is "enabled" and sends the profile. Unflagged events go through the device's
    // postKeyEvent. Anything else sends nothing and does not pause.
    static void sendChosenProfile(UVCDevice& device);

    // How a press pauses: the calling thread sleeps for the length asked. Answers the function
    // it replaces, so that a test can record the pauses and put the sleep back.
    using Pause = std::function<void(std::chrono::milliseconds)>;
    static Pause replacePause(Pause pause);
};

} // namespace device
