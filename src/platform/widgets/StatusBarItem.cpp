#include "platform/widgets/StatusBarItem.h"

#include <QCursor>

namespace platform {

StatusBarItem::StatusBarItem()
    : icon(std::make_unique<QSystemTrayIcon>()) {
    // Trays open the context menu on a right click; a plain click opens it as well.
    QObject::connect(icon.get(), &QSystemTrayIcon::activated, icon.get(),
                     [this](QSystemTrayIcon::ActivationReason reason) { openMenu(reason); });
}

StatusBarItem::~StatusBarItem() {
    icon->hide();
}

void StatusBarItem::setImage(const QIcon& image) {
    icon->setIcon(image);
    icon->setVisible(!image.isNull());
}

QIcon StatusBarItem::image() const {
    return icon->icon();
}

void StatusBarItem::setToolTip(const QString& text) {
    icon->setToolTip(text);
}

QString StatusBarItem::toolTip() const {
    return icon->toolTip();
}

void StatusBarItem::setMenu(std::shared_ptr<QMenu> menu) {
    itemMenu = std::move(menu);
    icon->setContextMenu(itemMenu.get());
}

std::shared_ptr<QMenu> StatusBarItem::menu() const {
    return itemMenu;
}

void StatusBarItem::openMenu(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger && itemMenu) {
        itemMenu->popup(QCursor::pos());
    }
}

} // namespace platform
