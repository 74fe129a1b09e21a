#pragma once
// A D-Bus session bus of the test's own (dbus-daemon, no services to start), ended with the
// object. Programs the test starts find it through address(), the test through connection().

#include "support/ChildProcess.h"

#include <QDBusConnection>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

namespace sim {

class SessionBus {
public:
    // Throws std::runtime_error when the bus does not come up.
    SessionBus();
    ~SessionBus(); // closes the connections it made, then ends the bus
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;

    // For DBUS_SESSION_BUS_ADDRESS.
    const std::string& address() const { return busAddress; }
    // A connection of this process of its own to the bus, on the calling thread.
    QDBusConnection connection();

private:
    QTemporaryDir directory;
    std::unique_ptr<ChildProcess> daemon;
    std::string busAddress;
    std::vector<QString> connectionNames;
};

} // namespace sim
