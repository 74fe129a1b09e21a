#pragma once
// The freedesktop portal's settings (org.freedesktop.portal.Desktop, interface
// org.freedesktop.portal.Settings) on a bus, answering every setting with one value.

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QString>
#include <QVariant>

namespace sim {

class DesktopPortal : public QDBusVirtualObject {
public:
    // The portal's first version has Read only; ReadOne came with the second.
    enum class Version { first, second };

    // Takes the portal's name; throws std::runtime_error when it cannot.
    DesktopPortal(QDBusConnection connection, Version version, QVariant answer);
    ~DesktopPortal() override;

    // How many reads it has answered.
    int reads() const { return answered; }
    // Sends SettingChanged as the portal does when a setting changes.
    void changeSetting(const QString& group, const QString& key, const QVariant& value);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    QDBusConnection connection;
    Version version;
    QVariant answer;
    int answered = 0;
};

} // namespace sim
