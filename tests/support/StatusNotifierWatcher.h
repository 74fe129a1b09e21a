#pragma once
// The watcher that tray items register with (org.kde.StatusNotifierWatcher), as a panel runs
// it, with a host already registered: a Qt program started on the bus shows its tray icon as a
// StatusNotifierItem over D-Bus. It lists the items whose owners are still on the bus.

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QString>

#include <vector>

namespace sim {

class StatusNotifierWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)

public:
    struct Item {
        QString service;
        QString path;
    };

    // Takes the watcher's name on the connection; throws std::runtime_error when it cannot.
    explicit StatusNotifierWatcher(QDBusConnection connection);
    ~StatusNotifierWatcher() override;

    // Oldest first.
    const std::vector<Item>& items() const { return registered; }
    bool isHostRegistered() const { return true; }

public slots:
    // Qt registers its item by its connection's name; the item's object is /StatusNotifierItem.
    void RegisterStatusNotifierItem(const QString& service);

private:
    void left(const QString& service);

    QDBusConnection connection;
    QDBusServiceWatcher owners;
    std::vector<Item> registered;
};

} // namespace sim
