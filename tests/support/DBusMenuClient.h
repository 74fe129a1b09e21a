#pragma once
// A panel's copy of a tray item's menu (com.canonical.dbusmenu), kept as panels keep it: the
// item's Menu property is read once, the layout fetched once and again only when the item
// signals a layout of a revision above the one held or new properties of its items.

#include "support/StatusNotifierWatcher.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <vector>

namespace sim {

class DBusMenuClient : public QObject {
    Q_OBJECT

public:
    struct Item {
        int id = 0;
        QVariantMap properties; // "label", "enabled", "type", "icon-data", ...
    };

    // Starts reading the item's menu; everything arrives on the event loop.
    DBusMenuClient(QDBusConnection connection, StatusNotifierWatcher::Item item);

    // The top-level items of the copy; empty until the first layout has come.
    const std::vector<Item>& items() const { return layout; }
    // The highest revision the item has signalled, 0 before its first LayoutUpdated.
    uint signalledRevision() const { return newestRevision; }
    // What a click on the item in the panel's menu sends.
    void click(int id);

private slots:
    void layoutUpdated(uint revision, int parent);
    void itemsPropertiesUpdated();

private:
    void follow(const QString& path);
    void fetch();
    void take(const QDBusMessage& reply);
    void refetch();

    QDBusConnection connection;
    QString service;
    QString menuPath;
    std::vector<Item> layout;
    uint heldRevision = 0;
    uint newestRevision = 0;
    bool fetching = false;
    bool signalledWhileFetching = false;
};

} // namespace sim
