#pragma once
// One utility per desktop session (one user on one display): a lock on a file named after the
// display, held by the kernel for this process and let go when the process ends, however it ends.

#include <string>
#include <string_view>

namespace app {

class SingleInstance {
public:
    static constexpr std::string_view alreadyRunningLine =
        "vistrel-utility: already running in this desktop session.";

    // Takes the session's lock in the directory; a display and its screens (":0", ":0.1") are
    // one session. A lock that cannot be made (no directory, a file of another user) stops
    // nothing: this start counts as the first.
    SingleInstance(const std::string& display, const std::string& directory);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another process holds the lock of the same session.
    bool isFirst() const { return first; }

    // The display of this desktop session: $DISPLAY, else $WAYLAND_DISPLAY, else empty.
    static std::string sessionDisplay();
    // $XDG_RUNTIME_DIR, the user's own; else the temporary directory.
    static std::string lockDirectory();

private:
    int lockFile = -1;
    bool first = true;
};

} // namespace app
