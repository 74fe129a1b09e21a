// The tray host asks the X server about other programs' windows, which may go away at any
// moment: such a window must neither end its walk early nor end the test process.
#include "support/TrayHost.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

// Xlib after every other header: its macros clash with other code.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace sim {

namespace {

using namespace std::chrono_literals;

constexpr auto walkTime = 2s;

} // namespace

TEST(TrayHostTest, WindowsThatGoAwayDuringTheWalkEndNeitherTheWalkNorTheProcess) {
    VirtualDisplay display;
    TrayHost tray;
    std::atomic<bool> done{false};
    std::thread churn([&done] {
        Display* other = XOpenDisplay(nullptr);
        char name[] = "churn";
        XClassHint hint{name, name};
        while (!done) {
            const Window window =
                XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 10, 10, 0, 0, 0);
            XSetClassHint(other, window, &hint);
            XMapWindow(other, window);
            XFlush(other);
            XDestroyWindow(other, window);
            XFlush(other);
        }
        XCloseDisplay(other);
    });
    EXPECT_FALSE(tray.waitForPopup("no such class", walkTime));
    EXPECT_FALSE(tray.waitForTopLevel("no such class", walkTime));
    done = true;
    churn.join();
}

} // namespace sim
