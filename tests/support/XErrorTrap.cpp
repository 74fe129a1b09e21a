#include "support/XErrorTrap.h"

#include <algorithm>
#include <cctype>
#include <string>

// Xlib after every other header: its macros clash with other code.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace sim {

namespace {

Display* trapped = nullptr;
XErrorHandler previous = nullptr;

int handle(Display* display, XErrorEvent* event) {
    if (display == trapped) {
        return 0; // the call that caused it answers with its failure
    }
    return previous != nullptr ? previous(display, event) : 0;
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

XErrorTrap::XErrorTrap(Display* display) {
    XSync(display, False);
    trapped = display;
    previous = XSetErrorHandler(&handle);
}

XErrorTrap::~XErrorTrap() {
    XSync(trapped, False);
    XSetErrorHandler(previous);
    trapped = nullptr;
}

bool XErrorTrap::hasClass(Display* display, unsigned long window, const char* windowClass) {
    XClassHint hint{};
    if (XGetClassHint(display, window, &hint) == 0) {
        return false;
    }
    const std::string both = lowered(std::string(hint.res_name ? hint.res_name : "") + " " +
                                     (hint.res_class ? hint.res_class : ""));
    XFree(hint.res_name);
    XFree(hint.res_class);
    return both.find(lowered(windowClass)) != std::string::npos;
}

} // namespace sim
