#pragma once
// An Xvfb server on a free display number for the life of the object. While it lives, DISPLAY
// in this process names it; the previous value is restored afterwards. Release every client of
// the server (recorders, key events) before the display itself.

#include <optional>
#include <string>
#include <sys/types.h>

namespace sim {

class VirtualDisplay {
public:
    // Throws std::runtime_error when the server does not start or accept connections.
    VirtualDisplay();
    ~VirtualDisplay();

    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // ":N"
    const std::string& name() const;

private:
    void start();
    void waitUntilAccepting() const;
    void stop();

    pid_t server = -1;
    std::string displayName;
    std::optional<std::string> previousDisplay;
};

} // namespace sim
