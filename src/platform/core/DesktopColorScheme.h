#pragma once
// The desktop's preference for a light or a dark appearance: the freedesktop portal's setting
// "org.freedesktop.appearance" "color-scheme", asked once without waiting and followed after.

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariant>

class QDBusMessage;

namespace platform {

class DesktopColorScheme : public QObject {
    Q_OBJECT

public:
    // The portal's values: 0 no preference, 1 dark, 2 light; unknown also stands for any
    // other answer, for no answer yet and for no portal at all.
    enum class Scheme { unknown, dark, light };

    // The session bus's, made on first use and owned by the application object.
    static DesktopColorScheme& shared();

    // Sends the question and returns at once; the answer, when one comes, and every later
    // change of the setting are taken on the thread the object lives in.
    explicit DesktopColorScheme(QDBusConnection connection, QObject* parent = nullptr);

    Scheme scheme() const { return current; }

signals:
    void changed(platform::DesktopColorScheme::Scheme scheme);

private slots:
    // SettingChanged(group, key, value); a slot taking the message is connected whatever the
    // metatypes registered so far.
    void settingChanged(const QDBusMessage& signal);

private:
    void read(const QString& method);
    void take(QVariant value);

    QDBusConnection connection;
    Scheme current = Scheme::unknown;
};

} // namespace platform
