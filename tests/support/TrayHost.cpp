#include "support/TrayHost.h"

#include "support/MenuPicture.h"
#include "support/XErrorTrap.h"

#include <functional>
#include <map>
#include <stdexcept>
#include <thread>
#include <vector>

// Xlib after every other header: its macros clash with other code.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace sim {

namespace {

constexpr auto trayTimeout = std::chrono::seconds(10);
constexpr auto pollStep = std::chrono::milliseconds(20);

struct FoundWindow {
    Window window = 0;
    ScreenRect rect;
};

// Asks again every poll step until `done` holds or `timeout` has passed; whether it held.
bool pollUntil(std::chrono::milliseconds timeout, const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(pollStep);
    }
    return true;
}

// Every window below `parent`, depth first, with its depth (1 for the parent's children).
void forEachWindow(Display* display, Window parent, int depth,
                   const std::function<void(Window, int)>& visit) {
    Window root = 0;
    Window parentOfParent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, parent, &root, &parentOfParent, &children, &count) == 0) {
        return;
    }
    const std::vector<Window> list(children, children + count);
    XFree(children);
    for (Window child : list) {
        visit(child, depth);
        forEachWindow(display, child, depth + 1, visit);
    }
}

std::optional<ScreenRect> rectOf(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0 ||
        attributes.map_state != IsViewable) {
        return std::nullopt;
    }
    int x = 0;
    int y = 0;
    Window unused = 0;
    if (XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &unused) ==
        0) {
        return std::nullopt;
    }
    return ScreenRect{x, y, attributes.width, attributes.height};
}

// Whether the window is still there to be seen; it may have gone at any moment.
bool isViewable(Display* display, Window window) {
    const XErrorTrap trap(display);
    return rectOf(display, window).has_value();
}

// The first mapped window, depth first, that `matches`.
std::optional<FoundWindow> findWindow(Display* display,
                                      const std::function<bool(Window, int)>& matches) {
    std::optional<FoundWindow> found;
    const XErrorTrap trap(display);
    forEachWindow(display, DefaultRootWindow(display), 1, [&](Window window, int depth) {
        if (found || !matches(window, depth)) {
            return;
        }
        if (const std::optional<ScreenRect> rect = rectOf(display, window)) {
            found = FoundWindow{window, *rect};
        }
    });
    return found;
}

// An embedded icon is reparented into the tray: it is no longer a child of the root.
std::optional<FoundWindow> findIcon(Display* display, const std::string& windowClass) {
    return findWindow(display, [&](Window window, int depth) {
        return depth > 1 && XErrorTrap::hasClass(display, window, windowClass.c_str());
    });
}

// A child of the root of that class, override-redirect (a popup) or not.
std::optional<FoundWindow> findChildOfRoot(Display* display, const std::string& windowClass,
                                           bool popup) {
    return findWindow(display, [&](Window window, int depth) {
        XWindowAttributes attributes{};
        return depth == 1 && XGetWindowAttributes(display, window, &attributes) != 0 &&
               (attributes.override_redirect != 0) == popup &&
               XErrorTrap::hasClass(display, window, windowClass.c_str());
    });
}

std::optional<ScreenRect> waitForWindow(std::chrono::milliseconds timeout,
                                        const std::function<std::optional<FoundWindow>()>& find) {
    std::optional<FoundWindow> found;
    pollUntil(timeout, [&] { return (found = find()).has_value(); });
    return found ? std::optional<ScreenRect>(found->rect) : std::nullopt;
}

} // namespace

TrayHost::TrayHost()
    : display(XOpenDisplay(nullptr), &XCloseDisplay) {
    if (!display) {
        throw std::runtime_error("cannot open $DISPLAY for the tray");
    }
    tray = std::make_unique<ChildProcess>(
        "trayer",
        std::vector<std::string>{"--edge", "top", "--align", "right", "--widthtype", "request",
                                 "--height", "32", "--iconspacing", "4", "--transparent", "false",
                                 "--tint", "0x303030", "--SetDockType", "true"},
        std::map<std::string, std::optional<std::string>>{{"LD_PRELOAD", std::nullopt},
                                                          {"UMOCKDEV_DIR", std::nullopt}});
    const Atom selection = XInternAtom(display.get(), "_NET_SYSTEM_TRAY_S0", False);
    if (!pollUntil(trayTimeout,
                   [&] { return XGetSelectionOwner(display.get(), selection) != None; })) {
        throw std::runtime_error("trayer did not take the tray selection");
    }
}

TrayHost::~TrayHost() = default;

std::optional<ScreenRect> TrayHost::waitForIcon(const std::string& windowClass,
                                                std::chrono::milliseconds timeout) {
    return waitForWindow(timeout, [&] { return findIcon(display.get(), windowClass); });
}

std::optional<ScreenRect> TrayHost::waitForPopup(const std::string& windowClass,
                                                 std::chrono::milliseconds timeout) {
    return waitForWindow(timeout,
                         [&] { return findChildOfRoot(display.get(), windowClass, true); });
}

std::optional<ScreenRect> TrayHost::waitForTopLevel(const std::string& windowClass,
                                                    std::chrono::milliseconds timeout) {
    return waitForWindow(timeout,
                         [&] { return findChildOfRoot(display.get(), windowClass, false); });
}

std::optional<ScreenRect> TrayHost::openMenu(const std::string& windowClass,
                                             std::chrono::milliseconds timeout) {
    // The click goes into the icon window wherever the tray has moved it by then, so it reaches
    // the icon; it is made again only on another icon when the one clicked went away (that of a
    // status item that ended), and never once the menu is open: a click outside an open menu
    // closes it.
    std::optional<Window> clicked;
    return waitForWindow(timeout, [&]() -> std::optional<FoundWindow> {
        if (std::optional<FoundWindow> menu = findChildOfRoot(display.get(), windowClass, true)) {
            return menu;
        }
        if (!clicked || !isViewable(display.get(), *clicked)) {
            if (const std::optional<FoundWindow> icon = findIcon(display.get(), windowClass)) {
                clickInside(icon->window, icon->rect);
                clicked = icon->window;
            }
        }
        return std::nullopt;
    });
}

std::vector<ScreenRect> TrayHost::waitForMenuRows(const ScreenRect& menu, std::size_t count,
                                                  std::chrono::milliseconds timeout) {
    std::vector<ScreenRect> rows;
    pollUntil(timeout, [&] {
        rows = MenuPicture(menu, grab(menu)).rows();
        return rows.size() == count;
    });
    return rows;
}

bool TrayHost::chooseRow(const ScreenRect& menu, const ScreenRect& row,
                         std::chrono::milliseconds timeout) {
    pointAt(row);
    if (!pollUntil(timeout, [&] { return MenuPicture(menu, grab(menu)).highlights(row); })) {
        return false;
    }
    press(1);
    return true;
}

void TrayHost::click(const ScreenRect& where, unsigned button) {
    pointAt(where);
    press(button);
}

// Into the middle of the window wherever it is when the server moves the pointer, then a click.
void TrayHost::clickInside(unsigned long window, const ScreenRect& size) {
    const XErrorTrap trap(display.get());
    XWarpPointer(display.get(), None, window, 0, 0, 0, 0, size.width / 2, size.height / 2);
    press(1);
}

void TrayHost::pointAt(const ScreenRect& where) {
    XTestFakeMotionEvent(display.get(), 0, where.x + where.width / 2, where.y + where.height / 2,
                         CurrentTime);
    XSync(display.get(), False);
}

void TrayHost::press(unsigned button) {
    XTestFakeButtonEvent(display.get(), button, True, CurrentTime);
    XTestFakeButtonEvent(display.get(), button, False, CurrentTime);
    XSync(display.get(), False);
}

std::vector<uint32_t> TrayHost::grab(const ScreenRect& area) {
    const XErrorTrap trap(display.get());
    XImage* image = XGetImage(display.get(), DefaultRootWindow(display.get()), area.x, area.y,
                              static_cast<unsigned>(area.width), static_cast<unsigned>(area.height),
                              AllPlanes, ZPixmap);
    if (image == nullptr) {
        return {};
    }
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height));
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF);
        }
    }
    XDestroyImage(image);
    return pixels;
}

} // namespace sim
