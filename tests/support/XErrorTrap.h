#pragma once
// While it lives, X errors on one connection are ignored instead of ending the process (Xlib's
// default handler exits): another program's window may go away between the listing of its
// parent and a question about it. Errors on other connections go to the previous handler.

struct _XDisplay; // Xlib's connection; Xlib itself is included only by the .cpp files

namespace sim {

class XErrorTrap {
public:
    explicit XErrorTrap(_XDisplay* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Whether the window's WM_CLASS (name or class) contains `windowClass`, in any case; false
    // for a window that is gone. Call while a trap lives.
    static bool hasClass(_XDisplay* display, unsigned long window, const char* windowClass);
};

} // namespace sim
