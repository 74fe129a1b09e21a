#pragma once
// An icon in the system tray whose menu opens on a click. It stays in the tray for as long as
// someone owns it and leaves when its last owner lets go.

#include <QColor>
#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

#include <memory>

namespace platform {

class StatusBarItem {
public:
    // The item takes its place in the tray once it has an image.
    StatusBarItem();
    ~StatusBarItem();

    // A template image (mask icon) is shown with its glyph in the palette's text colour, now and
    // whenever the application's palette changes, so it shows on dark and light panels.
    void setImage(const QIcon& image);
    // The image as it was set.
    QIcon image() const;

    void setToolTip(const QString& text);
    QString toolTip() const;

    // The item shares ownership of its menu and attaches a new one before it lets the previous
    // go. A D-Bus tray (StatusNotifierItem) learns of a new menu only as a new object at the
    // same path, which panels that cache the layout never fetch: a menu whose items change is
    // refilled in place, and Qt reports each insertion and removal as a layout update.
    void setMenu(std::shared_ptr<QMenu> menu);
    std::shared_ptr<QMenu> menu() const;

    // The tray icon this item owns, for inspection.
    QSystemTrayIcon* trayIcon() const { return icon.get(); }

    // A template image's glyph painted in the colour; any other image unchanged. Painted once
    // per image and colour: Qt caches the pixmaps drawn from an icon for as long as its cache
    // has room, so a new icon on every menu rebuild would fill it. Main thread.
    static QIcon tinted(const QIcon& image, const QColor& color);
    // The colour template glyphs take: the application palette's window text.
    static QColor templateColor();

    StatusBarItem(const StatusBarItem&) = delete;
    StatusBarItem& operator=(const StatusBarItem&) = delete;

private:
    void openMenu(QSystemTrayIcon::ActivationReason reason);
    void showImage();

    // Declared before the icon so that the icon goes first.
    std::shared_ptr<QMenu> itemMenu;
    QIcon setImageValue;
    std::unique_ptr<QSystemTrayIcon> icon;
    std::unique_ptr<QObject> paletteWatcher;
};

} // namespace platform
