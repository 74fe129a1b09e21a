#include "platform/core/DesktopColorScheme.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QPointer>

namespace platform {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");
// ReadOne came with the portal's second version; the first has only Read.
const QString readOne = QStringLiteral("ReadOne");
const QString readFirstVersion = QStringLiteral("Read");
const QString unknownMethod = QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod");

} // namespace

DesktopColorScheme& DesktopColorScheme::shared() {
    static QPointer<DesktopColorScheme> instance;
    if (instance.isNull()) {
        instance =
            new DesktopColorScheme(QDBusConnection::sessionBus(), QCoreApplication::instance());
    }
    return *instance;
}

DesktopColorScheme::DesktopColorScheme(QDBusConnection connection, QObject* parent)
    : QObject(parent)
    , connection(std::move(connection)) {
    if (!this->connection.isConnected()) {
        return;
    }
    this->connection.connect(portalService, portalPath, settingsInterface,
                             QStringLiteral("SettingChanged"), this,
                             SLOT(settingChanged(QDBusMessage)));
    read(readOne);
}

void DesktopColorScheme::read(const QString& method) {
    QDBusMessage question =
        QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface, method);
    question << appearanceGroup << colorSchemeKey;
    auto* answer = new QDBusPendingCallWatcher(connection.asyncCall(question), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this,
            [this, method](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusMessage reply = call->reply();
                if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
                    take(reply.arguments().constFirst());
                } else if (method == readOne && reply.errorName() == unknownMethod) {
                    read(readFirstVersion);
                }
            });
}

void DesktopColorScheme::settingChanged(const QDBusMessage& signal) {
    const QVariantList arguments = signal.arguments();
    if (arguments.size() == 3 && arguments[0].toString() == appearanceGroup &&
        arguments[1].toString() == colorSchemeKey) {
        take(arguments[2]);
    }
}

void DesktopColorScheme::take(QVariant value) {
    // Read wraps the value in one variant more than ReadOne and the signal do.
    while (value.metaType() == QMetaType::fromType<QDBusVariant>()) {
        value = value.value<QDBusVariant>().variant();
    }
    Scheme scheme = Scheme::unknown;
    if (value.metaType() == QMetaType::fromType<uint>()) {
        const uint number = value.toUInt();
        scheme = number == 1 ? Scheme::dark : number == 2 ? Scheme::light : Scheme::unknown;
    }
    if (scheme != current) {
        current = scheme;
        emit changed(scheme);
    }
}

} // namespace platform
