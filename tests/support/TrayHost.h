#pragma once
// A system tray on $DISPLAY (trayer, an XEMBED tray) for the life of the object, with what a
// test does with another program's tray icon and menu as a person would: find them, open the
// menu, point at one of its rows and click it once it shows highlighted, take a picture.

#include "support/ChildProcess.h"
#include "support/ScreenRect.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct _XDisplay; // Xlib's connection; Xlib itself is included only by TrayHost.cpp

namespace sim {

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
    // Clicks the tray icon of that class and waits for its popup menu. A click that did not
    // reach the icon (it went away, or the tray moved it from under the pointer) is made again.
    std::optional<ScreenRect> openMenu(const std::string& windowClass,
                                       std::chrono::milliseconds timeout);
    // The item rows of an open menu, top to bottom, once it is drawn with `count` of them; the
    // rows seen last when that does not happen within `timeout`.
    std::vector<ScreenRect> waitForMenuRows(const ScreenRect& menu, std::size_t count,
                                            std::chrono::milliseconds timeout);
    // Moves the pointer over a row of the open menu and clicks once the screen shows the row
    // highlighted; false, and no click, when it does not within `timeout`.
    bool chooseRow(const ScreenRect& menu, const ScreenRect& row,
                   std::chrono::milliseconds timeout);
    // Moves the pointer to the middle of the rectangle and clicks the given button.
    void click(const ScreenRect& where, unsigned button = 1);
    // The screen's pixels inside the rectangle, row by row, as 0xRRGGBB; empty when unreadable.
    std::vector<uint32_t> grab(const ScreenRect& area);

private:
    void clickInside(unsigned long window, const ScreenRect& size);
    void pointAt(const ScreenRect& where);
    void press(unsigned button);

    std::unique_ptr<_XDisplay, int (*)(_XDisplay*)> display;
    std::unique_ptr<ChildProcess> tray;
};

} // namespace sim
