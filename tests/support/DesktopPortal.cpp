#include "support/DesktopPortal.h"

#include <QDBusMessage>
#include <QDBusVariant>

#include <stdexcept>

namespace sim {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");

} // namespace

DesktopPortal::DesktopPortal(QDBusConnection connection, Version version, QVariant answer)
    : connection(connection)
    , version(version)
    , answer(std::move(answer)) {
    if (!connection.registerVirtualObject(portalPath, this) ||
        !connection.registerService(portalService)) {
        throw std::runtime_error("cannot take the portal's name");
    }
}

DesktopPortal::~DesktopPortal() {
    connection.unregisterService(portalService);
    connection.unregisterObject(portalPath);
}

void DesktopPortal::changeSetting(const QString& group, const QString& key, const QVariant& value) {
    QDBusMessage signal =
        QDBusMessage::createSignal(portalPath, settingsInterface, QStringLiteral("SettingChanged"));
    signal << group << key << QVariant::fromValue(QDBusVariant(value));
    connection.send(signal);
}

QString DesktopPortal::introspect(const QString& /*path*/) const {
    return {};
}

bool DesktopPortal::handleMessage(const QDBusMessage& message, const QDBusConnection& bus) {
    const bool readOne = message.member() == QStringLiteral("ReadOne");
    if (message.interface() != settingsInterface ||
        (!readOne && message.member() != QStringLiteral("Read")) ||
        (readOne && version == Version::first)) {
        bus.send(message.createErrorReply(QDBusError::UnknownMethod, message.member()));
        return true;
    }
    ++answered;
    // Read answers the value inside one variant more.
    const QVariant value = readOne ? answer : QVariant::fromValue(QDBusVariant(answer));
    bus.send(message.createReply(QVariant::fromValue(QDBusVariant(value))));
    return true;
}

} // namespace sim
