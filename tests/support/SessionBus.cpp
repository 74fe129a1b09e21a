#include "support/SessionBus.h"

#include <QFile>

#include <chrono>
#include <stdexcept>

namespace sim {

namespace {

// A session bus as Debian's session.conf makes one, without service directories: nothing is
// started on demand, so a service the test did not provide is answered as unknown at once.
constexpr const char* configuration = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

} // namespace

SessionBus::SessionBus() {
    const QString config = directory.filePath("bus.conf");
    QFile file(config);
    if (!directory.isValid() || !file.open(QIODevice::WriteOnly) ||
        file.write(QString::fromLatin1(configuration).arg(directory.path()).toUtf8()) < 0) {
        throw std::runtime_error("cannot write the session bus configuration");
    }
    file.close();
    // The bus itself runs outside any simulated machine of the test.
    daemon = std::make_unique<ChildProcess>(
        "dbus-daemon",
        std::vector<std::string>{"--config-file=" + config.toStdString(), "--nofork", "--nopidfile",
                                 "--print-address"},
        std::map<std::string, std::optional<std::string>>{{"LD_PRELOAD", std::nullopt},
                                                          {"UMOCKDEV_DIR", std::nullopt}});
    if (!daemon->waitFor([](const auto& lines) { return !lines.empty(); },
                         std::chrono::seconds(10))) {
        throw std::runtime_error("dbus-daemon printed no address");
    }
    busAddress = daemon->lines().front();
}

SessionBus::~SessionBus() {
    for (const QString& name : connectionNames) {
        QDBusConnection::disconnectFromBus(name);
    }
}

QDBusConnection SessionBus::connection() {
    const QString name = QStringLiteral("test-%1-%2")
                             .arg(QString::fromStdString(busAddress))
                             .arg(connectionNames.size());
    connectionNames.push_back(name);
    QDBusConnection bus = QDBusConnection::connectToBus(QString::fromStdString(busAddress), name);
    if (!bus.isConnected()) {
        throw std::runtime_error("cannot connect to the test's session bus");
    }
    return bus;
}

} // namespace sim
