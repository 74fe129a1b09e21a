#pragma once
// Watches the application object's connection to the display: Qt's messages are held while it
// is made, and a fatal one (no platform could start: no display) ends the process with one line
// and status 1 instead of an abort; once it is made the held messages go out as usual.

#include <string_view>

namespace app {

// One at a time, around the application object's construction on the main thread.
class DisplayGuard {
public:
    static constexpr std::string_view noDisplayLine =
        "vistrel-utility needs a desktop session: no display could be opened.";

    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;
};

} // namespace app
