#pragma once
// The mapped top-level windows of another program on $DISPLAY, found by their WM_CLASS, the
// close request that a window manager's close button sends them (WM_DELETE_WINDOW), and the
// keyboard as a person uses it: keys typed (XTEST) go to the window with the input focus.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

struct _XDisplay; // Xlib's connection; Xlib itself is included only by ClientWindows.cpp

namespace sim {

class ClientWindows {
public:
    // Throws std::runtime_error when $DISPLAY cannot be opened.
    ClientWindows();
    ~ClientWindows();
    ClientWindows(const ClientWindows&) = delete;
    ClientWindows& operator=(const ClientWindows&) = delete;

    // Waits until exactly `count` mapped top-level windows (popups left out) have a WM_CLASS
    // that contains `windowClass` (any case); those found when the wait ends.
    std::vector<unsigned long> waitForMapped(const std::string& windowClass, std::size_t count,
                                             std::chrono::milliseconds timeout);
    // Asks the window's program to close it, as a window manager does.
    void requestClose(unsigned long window);
    // Whether the window carries the property of that name ("_NET_WM_ICON", say).
    bool hasProperty(unsigned long window, const std::string& name);
    // Waits until the window has the input focus.
    bool waitForFocus(unsigned long window, std::chrono::milliseconds timeout);
    // Presses and releases the key of the keysym ("Return", "space", "Tab", "Right") and waits
    // until the server has taken both.
    void type(const std::string& keysym);

private:
    std::vector<unsigned long> mapped(const std::string& windowClass);
    bool hasFocus(unsigned long window);

    std::unique_ptr<_XDisplay, int (*)(_XDisplay*)> display;
};

} // namespace sim
