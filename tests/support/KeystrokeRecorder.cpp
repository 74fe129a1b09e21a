#include "support/KeystrokeRecorder.h"

#include <poll.h>
#include <stdexcept>

// Xlib after every other header: its macros clash with other code.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace sim {

namespace {

std::string keysymName(XKeyEvent& event) {
    const KeySym keysym = XLookupKeysym(&event, 0);
    if (const char* name = XKeysymToString(keysym))
        return name;
    return "keycode " + std::to_string(event.keycode);
}

} // namespace

void PrintTo(const RecordedKey& key, std::ostream* out) {
    *out << (key.press ? "press " : "release ") << key.keysym << " state 0x" << std::hex
         << key.state << std::dec;
}

KeystrokeRecorder::KeystrokeRecorder()
    : display(XOpenDisplay(nullptr), XCloseDisplay) {
    if (!display)
        throw std::runtime_error("KeystrokeRecorder: cannot open the display");
    openWindow();
    takeFocus();
}

KeystrokeRecorder::~KeystrokeRecorder() {
    XDestroyWindow(display.get(), window);
    XSync(display.get(), False);
}

std::vector<RecordedKey> KeystrokeRecorder::waitForEvents(size_t count,
                                                          std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    drainQueue();
    while (recorded.size() < count) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        readEvents(left);
    }
    return recorded;
}

std::vector<RecordedKey> KeystrokeRecorder::settle(std::chrono::milliseconds quiet) {
    while (readEvents(quiet)) {
    }
    return recorded;
}

void KeystrokeRecorder::openWindow() {
    Display* connection = display.get();
    const int screen = DefaultScreen(connection);
    window = XCreateSimpleWindow(connection, RootWindow(connection, screen), 0, 0,
                                 static_cast<unsigned>(DisplayWidth(connection, screen)),
                                 static_cast<unsigned>(DisplayHeight(connection, screen)), 0,
                                 BlackPixel(connection, screen), WhitePixel(connection, screen));
    XSelectInput(connection, window, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
    XMapRaised(connection, window);
    XEvent event;
    do {
        XWindowEvent(connection, window, StructureNotifyMask, &event);
    } while (event.type != MapNotify);
}

void KeystrokeRecorder::takeFocus() {
    XSetInputFocus(display.get(), window, RevertToParent, CurrentTime);
    XSync(display.get(), False);
}

bool KeystrokeRecorder::readEvents(std::chrono::milliseconds timeout) {
    const size_t before = recorded.size();
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        drainQueue();
        if (recorded.size() > before)
            return true;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd reader{ConnectionNumber(display.get()), POLLIN, 0};
        poll(&reader, 1, static_cast<int>(left.count()));
    }
}

void KeystrokeRecorder::drainQueue() {
    Display* connection = display.get();
    while (XPending(connection) > 0) {
        XEvent event;
        XNextEvent(connection, &event);
        if (event.type == KeyPress || event.type == KeyRelease)
            recorded.push_back({event.type == KeyPress, keysymName(event.xkey), event.xkey.state});
    }
}

} // namespace sim
