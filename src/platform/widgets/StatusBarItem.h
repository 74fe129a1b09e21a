#pragma once
// An icon in the system tray whose menu opens on a click. It stays in the tray for as long as
// someone owns it and leaves when its last owner lets go.

#include "platform/core/DesktopColorScheme.h"

#include <QColor>
#include <QIcon>
#include <QMenu>
#include <QPalette>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>

#include <memory>

namespace platform {

// How a template glyph is painted: in one colour, inside an outline of a second one where an
// outline colour is given (invalid: none), so that it shows on a surface of any lightness.
struct TemplateTint {
    QColor glyph;
    QColor outline;
};

class StatusBarItem {
public:
    // The item takes its place in the tray once it has an image; its template glyph follows
    // the desktop's colour scheme.
    explicit StatusBarItem(DesktopColorScheme& scheme = DesktopColorScheme::shared());
    ~StatusBarItem();

    // A template image (mask icon) is shown tinted for the scheme (trayTint), now and whenever
    // the scheme changes.
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

    // A template image's glyph painted with the tint; any other image unchanged. Painted once
    // per image and tint: Qt caches the pixmaps drawn from an icon for as long as its cache
    // has room, so a new icon on every menu rebuild would fill it. Main thread.
    static QIcon tinted(const QIcon& image, const TemplateTint& tint);
    static QIcon tinted(const QIcon& image, const QColor& color) {
        return tinted(image, TemplateTint{color, QColor()});
    }
    // The tray's tint: a dark glyph in a light outline on a light desktop, else a light glyph in
    // a dark outline. The scheme is the windows': some desktops put a dark panel over light
    // windows (KDE's Breeze Twilight), and an outlined glyph shows on dark and light panels.
    static TemplateTint trayTint(DesktopColorScheme::Scheme scheme);
    // A menu's tint: its palette's text colour in an outline of white or black, whichever
    // stands out more from it. The icon shows in Qt's menu of that palette and in a panel's own
    // menu of a colour Qt does not know, which draws the same icon.
    static TemplateTint menuTint(const QPalette& palette);

    StatusBarItem(const StatusBarItem&) = delete;
    StatusBarItem& operator=(const StatusBarItem&) = delete;

private:
    void openMenu(QSystemTrayIcon::ActivationReason reason);
    void showImage();

    // Declared before the icon so that the icon goes first.
    std::shared_ptr<QMenu> itemMenu;
    QIcon setImageValue;
    QPointer<DesktopColorScheme> colorScheme;
    std::unique_ptr<QSystemTrayIcon> icon;
};

} // namespace platform
