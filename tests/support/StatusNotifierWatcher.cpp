#include "support/StatusNotifierWatcher.h"

#include <QDBusConnectionInterface>

#include <algorithm>
#include <stdexcept>

namespace sim {

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");

} // namespace

StatusNotifierWatcher::StatusNotifierWatcher(QDBusConnection connection)
    : connection(connection) {
    owners.setConnection(connection);
    owners.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    QObject::connect(&owners, &QDBusServiceWatcher::serviceUnregistered, this,
                     [this](const QString& service) { left(service); });
    if (!connection.registerObject(watcherPath, this, QDBusConnection::ExportAllContents) ||
        !connection.registerService(watcherService)) {
        throw std::runtime_error("cannot take the StatusNotifierWatcher's name");
    }
}

StatusNotifierWatcher::~StatusNotifierWatcher() {
    connection.unregisterService(watcherService);
    connection.unregisterObject(watcherPath);
}

void StatusNotifierWatcher::RegisterStatusNotifierItem(const QString& service) {
    owners.addWatchedService(service);
    registered.push_back({service, QStringLiteral("/StatusNotifierItem")});
    // An owner gone before its watch began is gone all the same.
    if (!connection.interface()->isServiceRegistered(service)) {
        left(service);
    }
}

void StatusNotifierWatcher::left(const QString& service) {
    std::erase_if(registered, [&service](const Item& item) { return item.service == service; });
    owners.removeWatchedService(service);
}

} // namespace sim
