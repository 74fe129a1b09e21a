// The tray host asks the X server about other programs' windows, which may go away at any
// moment: such a window must neither end its walk early nor end the test process.
#include "support/TrayHost.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

// Xlib after every other header: its macros clash with other code.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace sim {

namespace {

using namespace std::chrono_literals;

constexpr auto walkTime = 20s;
constexpr int windowsGoneFirst = 20000;

// A window of the class, mapped and kept for the life of the object: a popup (override-redirect,
// as menus are) or a window the window manager would place.
class SteadyWindow {
public:
    SteadyWindow(Display* display, bool popup)
        : display(display) {
        XSetWindowAttributes attributes{};
        attributes.override_redirect = popup ? True : False;
        window =
            XCreateWindow(display, DefaultRootWindow(display), 20, 20, 40, 30, 0, CopyFromParent,
                          InputOutput, CopyFromParent, CWOverrideRedirect, &attributes);
        char name[] = "steady";
        XClassHint hint{name, name};
        XSetClassHint(display, window, &hint);
        XMapRaised(display, window);
        XSync(display, False);
    }
    ~SteadyWindow() {
        XDestroyWindow(display, window);
        XSync(display, False);
    }
    SteadyWindow(const SteadyWindow&) = delete;
    SteadyWindow& operator=(const SteadyWindow&) = delete;

private:
    Display* display;
    Window window = 0;
};

} // namespace

TEST(TrayHostTest, WindowsThatGoAwayDuringTheWalkEndNeitherTheWalkNorTheProcess) {
    VirtualDisplay display;
    TrayHost tray;
    std::atomic<bool> done{false};
    // Windows come and go for the whole test; the two steady ones appear only once many have
    // gone, so that the walks that find them ran among windows vanishing under them.
    std::thread churn([&done] {
        Display* other = XOpenDisplay(nullptr);
        char name[] = "churn";
        XClassHint hint{name, name};
        std::optional<SteadyWindow> popup;
        std::optional<SteadyWindow> topLevel;
        for (int cycle = 0; !done; ++cycle) {
            if (cycle == windowsGoneFirst) {
                popup.emplace(other, true);
                topLevel.emplace(other, false);
            }
            const Window window =
                XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 10, 10, 0, 0, 0);
            XSetClassHint(other, window, &hint);
            XMapWindow(other, window);
            XFlush(other);
            XDestroyWindow(other, window);
            XFlush(other);
        }
        popup.reset();
        topLevel.reset();
        XCloseDisplay(other);
    });
    const std::optional<ScreenRect> popup = tray.waitForPopup("steady", walkTime);
    const std::optional<ScreenRect> topLevel = tray.waitForTopLevel("steady", walkTime);
    done = true;
    churn.join();
    ASSERT_TRUE(popup);
    ASSERT_TRUE(topLevel);
    EXPECT_EQ(popup->width, 40);
    EXPECT_EQ(topLevel->height, 30);
}

} // namespace sim
