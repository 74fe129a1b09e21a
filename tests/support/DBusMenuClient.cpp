#include "support/DBusMenuClient.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

#include <algorithm>
#include <functional>
#include <utility>

namespace sim {

namespace {

const QString menuInterface = QStringLiteral("com.canonical.dbusmenu");

// One (ia{sv}av) of GetLayout; its children, when `children` is given.
DBusMenuClient::Item layoutItem(const QDBusArgument& argument,
                                std::vector<DBusMenuClient::Item>* children = nullptr) {
    DBusMenuClient::Item item;
    argument.beginStructure();
    argument >> item.id >> item.properties;
    argument.beginArray();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        if (children != nullptr) {
            children->push_back(layoutItem(child.variant().value<QDBusArgument>()));
        }
    }
    argument.endArray();
    argument.endStructure();
    return item;
}

void whenAnswered(QObject* owner, const QDBusPendingCall& call,
                  const std::function<void(const QDBusMessage&)>& answered) {
    auto* watcher = new QDBusPendingCallWatcher(call, owner);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, owner,
                     [answered](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         answered(finished->reply());
                     });
}

} // namespace

DBusMenuClient::DBusMenuClient(QDBusConnection connection, StatusNotifierWatcher::Item item)
    : connection(connection)
    , service(item.service) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        service, item.path, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << QStringLiteral("org.kde.StatusNotifierItem") << QStringLiteral("Menu");
    whenAnswered(this, connection.asyncCall(get), [this](const QDBusMessage& reply) {
        if (reply.type() == QDBusMessage::ReplyMessage) {
            follow(reply.arguments()
                       .value(0)
                       .value<QDBusVariant>()
                       .variant()
                       .value<QDBusObjectPath>()
                       .path());
        }
    });
}

void DBusMenuClient::follow(const QString& path) {
    menuPath = path;
    connection.connect(service, menuPath, menuInterface, QStringLiteral("LayoutUpdated"), this,
                       SLOT(layoutUpdated(uint, int)));
    connection.connect(service, menuPath, menuInterface, QStringLiteral("ItemsPropertiesUpdated"),
                       this, SLOT(itemsPropertiesUpdated(QDBusMessage)));
    fetch();
}

void DBusMenuClient::fetch() {
    fetching = true;
    QDBusMessage getLayout = QDBusMessage::createMethodCall(service, menuPath, menuInterface,
                                                            QStringLiteral("GetLayout"));
    getLayout << 0 << -1 << QStringList();
    whenAnswered(this, connection.asyncCall(getLayout),
                 [this](const QDBusMessage& reply) { take(reply); });
}

void DBusMenuClient::take(const QDBusMessage& reply) {
    fetching = false;
    if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 2) {
        heldRevision = reply.arguments().at(0).toUInt();
        layout.clear();
        layoutItem(reply.arguments().at(1).value<QDBusArgument>(), &layout);
    }
    // A revision signalled while the call was under way may be newer than its answer.
    if (std::exchange(signalledWhileFetching, false)) {
        fetch();
    }
}

void DBusMenuClient::layoutUpdated(uint revision, int /*parent*/) {
    newestRevision = std::max(newestRevision, revision);
    if (revision > heldRevision) {
        refetch();
    }
}

void DBusMenuClient::itemsPropertiesUpdated() {
    refetch();
}

void DBusMenuClient::refetch() {
    if (fetching) {
        signalledWhileFetching = true;
    } else {
        fetch();
    }
}

void DBusMenuClient::click(int id) {
    QDBusMessage event =
        QDBusMessage::createMethodCall(service, menuPath, menuInterface, QStringLiteral("Event"));
    event << id << QStringLiteral("clicked") << QVariant::fromValue(QDBusVariant(0)) << 0U;
    connection.asyncCall(event);
}

} // namespace sim
