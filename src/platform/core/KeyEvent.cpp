#include "platform/core/KeyEvent.h"

#include <array>
#include <optional>
#include <utility>
#include <vector>

// Xlib after every other header: its macros (Bool, Status, None, ...) clash with other code.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace platform {

namespace {

struct KeyMapping {
    uint16_t virtualKey;
    KeySym keysym;
};

// The keys of the keystroke profiles, by macOS virtual key code (US ANSI positions).
constexpr std::array<KeyMapping, 7> keyMappings{{
    {0, XK_a},
    {1, XK_s},
    {8, XK_c},
    {36, XK_Return},
    {38, XK_j},
    {49, XK_space},
    {58, XK_Alt_L},
}};

struct ModifierMapping {
    uint64_t flag;
    unsigned stateMask;
    KeySym keysym;
};

// In pressing order; released in reverse.
constexpr std::array<ModifierMapping, 2> modifierMappings{{
    {KeyEvent::maskCommand, ControlMask, XK_Control_L},
    {KeyEvent::maskShift, ShiftMask, XK_Shift_L},
}};

std::optional<KeySym> keysymFor(uint16_t virtualKey) {
    for (const auto& mapping : keyMappings) {
        if (mapping.virtualKey == virtualKey)
            return mapping.keysym;
    }
    return std::nullopt;
}

// A connection to $DISPLAY that can fake input, or nullptr.
std::shared_ptr<Display> openDisplay() {
    std::shared_ptr<Display> display(XOpenDisplay(nullptr), [](Display* connection) {
        if (connection)
            XCloseDisplay(connection);
    });
    if (!display)
        return nullptr;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display.get(), &eventBase, &errorBase, &major, &minor))
        return nullptr;
    return display;
}

unsigned currentModifierState(Display* display) {
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned state = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX,
                  &windowY, &state);
    return state;
}

// Key codes of the modifiers that `flags` asks for and that are not already in effect. One that
// is held already (by the user, say) is neither pressed again nor released afterwards.
std::vector<KeyCode> modifiersToPress(Display* display, uint64_t flags) {
    std::vector<KeyCode> keycodes;
    if (flags == 0)
        return keycodes;
    const unsigned state = currentModifierState(display);
    for (const auto& modifier : modifierMappings) {
        if ((flags & modifier.flag) == 0 || (state & modifier.stateMask) != 0)
            continue;
        if (const KeyCode keycode = XKeysymToKeycode(display, modifier.keysym); keycode != 0)
            keycodes.push_back(keycode);
    }
    return keycodes;
}

} // namespace

std::unique_ptr<KeyEvent> KeyEvent::create(uint16_t virtualKey, bool keyDown) {
    const auto keysym = keysymFor(virtualKey);
    if (!keysym)
        return nullptr;
    auto display = openDisplay();
    if (!display)
        return nullptr;
    const KeyCode keycode = XKeysymToKeycode(display.get(), *keysym);
    if (keycode == 0)
        return nullptr;
    return std::unique_ptr<KeyEvent>(new KeyEvent(std::move(display), keycode, keyDown));
}

KeyEvent::KeyEvent(std::shared_ptr<_XDisplay> display, unsigned keycode, bool keyDown)
    : display(std::move(display))
    , keycode(keycode)
    , keyDown(keyDown) {}

void KeyEvent::setFlags(uint64_t flags) {
    this->flags = flags;
}

void KeyEvent::post() {
    Display* connection = display.get();
    const auto modifiers = modifiersToPress(connection, flags);
    for (const KeyCode modifier : modifiers)
        XTestFakeKeyEvent(connection, modifier, True, CurrentTime);
    XTestFakeKeyEvent(connection, keycode, keyDown ? True : False, CurrentTime);
    for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier)
        XTestFakeKeyEvent(connection, *modifier, False, CurrentTime);
    XSync(connection, False);
}

} // namespace platform
