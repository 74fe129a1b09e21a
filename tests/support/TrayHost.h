#pragma once
// A system tray on $DISPLAY (trayer, an XEMBED tray) for the life of the object, with the X
// queries a test needs about another program's tray icon and menu: where they are, a click on
// the icon, a picture of the screen.

#include "support/ChildProcess.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct _XDisplay; // Xlib's connection; Xlib itself is included only by TrayHost.cpp

namespace sim {

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class TrayHost {
public:
    // Starts trayer at the top right of the screen and waits until it owns the tray selection.
    // Throws std::runtime_error when $DISPLAY cannot be opened or no tray comes up.
    TrayHost();
    ~TrayHost();
    TrayHost(const TrayHost&) = delete;
    TrayHost& operator=(const TrayHost&) = delete;

    // The mapped window embedded in the tray whose WM_CLASS contains `windowClass` (any case).
    std::optional<ScreenRect> waitForIcon(const std::string& windowClass,
                                          std::chrono::milliseconds timeout);
    // A mapped top-level override-redirect window (a popup menu) of that class.
    std::optional<ScreenRect> waitForPopup(const std::string& windowClass,
                                           std::chrono::milliseconds timeout);
    // A mapped top-level window of that class that the window manager places (not a popup).
    std::optional<ScreenRect> waitForTopLevel(const std::string& windowClass,
                                              std::chrono::milliseconds timeout);
    // Moves the pointer to the middle of the rectangle and clicks the given button.
    void click(const ScreenRect& where, unsigned button = 1);
    // The screen's pixels inside the rectangle, row by row, as 0xRRGGBB; empty when unreadable.
    std::vector<uint32_t> grab(const ScreenRect& area);

private:
    std::unique_ptr<_XDisplay, int (*)(_XDisplay*)> display;
    std::unique_ptr<ChildProcess> tray;
};

} // namespace sim
