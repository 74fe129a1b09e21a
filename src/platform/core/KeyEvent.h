#pragma once
// One synthesized keyboard event for the X display, made for one send: the stand-in for
// creating a keyboard event, setting its flags and posting it to the input stream (XTEST).

#include <cstdint>
#include <memory>

struct _XDisplay; // Xlib's connection; Xlib itself is included only by KeyEvent.cpp

namespace platform {

// Virtual key codes use the macOS numbering of the keystroke profiles. Each event owns its own
// connection to the display named by $DISPLAY at creation and closes it when released, so no
// connection outlives a restart of the X server or a change of $DISPLAY. Main thread only.
class KeyEvent {
public:
    static constexpr uint64_t maskCommand = 0x100000; // held as Control
    static constexpr uint64_t maskShift = 0x20000;    // held as Shift

    // nullptr when there is no display (or the key code has no mapping): callers skip the event.
    static std::unique_ptr<KeyEvent> create(uint16_t virtualKey, bool keyDown);

    // The modifiers become exactly this mask. Bits other than maskCommand and maskShift are
    // ignored.
    void setFlags(uint64_t flags);

    // Sends the event with the modifiers of its flags held around it (press modifiers, key,
    // release modifiers) and waits until the server has taken it, so events are delivered in
    // posting order. A modifier of the flags that is already held (by the user, say) is neither
    // pressed again nor released; a held modifier outside the flags stays held, since XTEST
    // cannot lift a key that another keyboard holds. No result.
    void post();

    KeyEvent(const KeyEvent&) = delete;
    KeyEvent& operator=(const KeyEvent&) = delete;

private:
    KeyEvent(std::shared_ptr<_XDisplay> display, unsigned keycode, bool keyDown);

    std::shared_ptr<_XDisplay> display;
    unsigned keycode;
    bool keyDown;
    uint64_t flags = 0;
};

} // namespace platform
