#pragma once
// An icon in the system tray whose menu opens on a click. It stays in the tray for as long as
// someone owns it and leaves when its last owner lets go.

#include <QIcon>
#include <QMenu>
#include <QString>
#include <QSystemTrayIcon>

#include <memory>

namespace platform {

class StatusBarItem {
public:
    // The item takes its place in the tray once it has an image.
    StatusBarItem();
    ~StatusBarItem();

    // A template image (mask icon) is shown as such.
    void setImage(const QIcon& image);
    QIcon image() const;

    void setToolTip(const QString& text);
    QString toolTip() const;

    // The item shares ownership of its menu.
    void setMenu(std::shared_ptr<QMenu> menu);
    std::shared_ptr<QMenu> menu() const;

    // The tray icon this item owns, for inspection.
    QSystemTrayIcon* trayIcon() const { return icon.get(); }

    StatusBarItem(const StatusBarItem&) = delete;
    StatusBarItem& operator=(const StatusBarItem&) = delete;

private:
    void openMenu(QSystemTrayIcon::ActivationReason reason);

    // Declared before the icon so that the icon goes first.
    std::shared_ptr<QMenu> itemMenu;
    std::unique_ptr<QSystemTrayIcon> icon;
};

} // namespace platform
