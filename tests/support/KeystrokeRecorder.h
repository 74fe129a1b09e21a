#pragma once
// An X client that owns a mapped, focused window on $DISPLAY and records the KeyPress and
// KeyRelease events that reach it. Events are read while a wait call runs (no thread of its own).

#include <chrono>
#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

struct _XDisplay; // Xlib's connection; Xlib itself is included only by KeystrokeRecorder.cpp

namespace sim {

// One key event as the recorder saw it.
struct RecordedKey {
    bool press;         // KeyPress (true) or KeyRelease (false)
    std::string keysym; // name of the key's unshifted keysym, e.g. "j", "Return", "Control_L"
    unsigned state;     // X modifier mask at the event: Shift 0x01, Control 0x04, Mod1 0x08

    bool operator==(const RecordedKey&) const = default;
};
// Readable test output, e.g. "press j state 0x5".
void PrintTo(const RecordedKey& key, std::ostream* out);

class KeystrokeRecorder {
public:
    // Throws std::runtime_error when $DISPLAY cannot be opened. Release the recorder before the
    // server it is connected to goes away.
    KeystrokeRecorder();
    ~KeystrokeRecorder();

    KeystrokeRecorder(const KeystrokeRecorder&) = delete;
    KeystrokeRecorder& operator=(const KeystrokeRecorder&) = delete;

    // Waits until `count` events have arrived or `timeout` passed; returns all recorded so far.
    std::vector<RecordedKey> waitForEvents(size_t count, std::chrono::milliseconds timeout);
    // Everything recorded until no event has arrived for `quiet`.
    std::vector<RecordedKey>
    settle(std::chrono::milliseconds quiet = std::chrono::milliseconds(200));

private:
    void openWindow();
    void takeFocus();
    // Records arriving events until a key event has come or `timeout` has passed; false when
    // none came.
    bool readEvents(std::chrono::milliseconds timeout);
    void drainQueue();

    std::unique_ptr<_XDisplay, int (*)(_XDisplay*)> display;
    unsigned long window = 0;
    std::vector<RecordedKey> recorded;
};

} // namespace sim
