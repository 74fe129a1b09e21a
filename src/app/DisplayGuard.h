#pragma once
// Watches the application object's connection to the display: Qt's messages are held while it
// is made, and a fatal one ends the process with status 1 instead of an abort: one line when no
// display could be opened, else a line followed by what Qt said. Once the application object
// is made the held messages go out as usual, and later ones go where they went before.

#include <string_view>

namespace app {

// One at a time, around the application object's construction on the main thread.
class DisplayGuard {
public:
    static constexpr std::string_view noDisplayLine =
        "vistrel-utility needs a desktop session: no display could be opened.";
    static constexpr std::string_view startFailedLine =
        "vistrel-utility could not start its user interface. Qt reports:";

    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;
};

} // namespace app
