#include "support/ClientWindows.h"

#include "support/XErrorTrap.h"

#include <stdexcept>
#include <thread>

// Xlib after every other header: its macros clash with other code.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace sim {

namespace {

constexpr auto pollStep = std::chrono::milliseconds(20);

bool isMappedWindowOf(Display* display, Window window, const std::string& windowClass) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0 ||
        attributes.map_state != IsViewable || attributes.override_redirect) {
        return false;
    }
    return XErrorTrap::hasClass(display, window, windowClass.c_str());
}

} // namespace

ClientWindows::ClientWindows()
    : display(XOpenDisplay(nullptr), XCloseDisplay) {
    if (!display) {
        throw std::runtime_error("cannot open $DISPLAY");
    }
}

ClientWindows::~ClientWindows() = default;

std::vector<unsigned long> ClientWindows::mapped(const std::string& windowClass) {
    const XErrorTrap trap(display.get());
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    std::vector<unsigned long> found;
    if (XQueryTree(display.get(), DefaultRootWindow(display.get()), &root, &parent, &children,
                   &count) == 0) {
        return found;
    }
    for (unsigned at = 0; at < count; ++at) {
        if (isMappedWindowOf(display.get(), children[at], windowClass)) {
            found.push_back(children[at]);
        }
    }
    XFree(children);
    return found;
}

std::vector<unsigned long> ClientWindows::waitForMapped(const std::string& windowClass,
                                                        std::size_t count,
                                                        std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::vector<unsigned long> found = mapped(windowClass);
    while (found.size() != count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(pollStep);
        found = mapped(windowClass);
    }
    return found;
}

void ClientWindows::requestClose(unsigned long window) {
    const XErrorTrap trap(display.get());
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display.get(), "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] =
        static_cast<long>(XInternAtom(display.get(), "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display.get(), window, False, NoEventMask, &event);
    XSync(display.get(), False);
}

bool ClientWindows::hasProperty(unsigned long window, const std::string& name) {
    const XErrorTrap trap(display.get());
    int count = 0;
    Atom* properties = XListProperties(display.get(), window, &count);
    const Atom wanted = XInternAtom(display.get(), name.c_str(), True);
    bool found = false;
    for (int at = 0; at < count && wanted != 0; ++at) {
        found = found || properties[at] == wanted;
    }
    XFree(properties);
    return found;
}

bool ClientWindows::hasFocus(unsigned long window) {
    Window focused = 0;
    int revert = 0;
    XGetInputFocus(display.get(), &focused, &revert);
    return focused == window;
}

bool ClientWindows::waitForFocus(unsigned long window, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool focused = hasFocus(window);
    while (!focused && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(pollStep);
        focused = hasFocus(window);
    }
    return focused;
}

void ClientWindows::type(const std::string& keysym) {
    const KeyCode key = XKeysymToKeycode(display.get(), XStringToKeysym(keysym.c_str()));
    if (key == 0) {
        throw std::runtime_error("no key for " + keysym);
    }
    XTestFakeKeyEvent(display.get(), key, True, CurrentTime);
    XTestFakeKeyEvent(display.get(), key, False, CurrentTime);
    XSync(display.get(), False);
}

} // namespace sim
