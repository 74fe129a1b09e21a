#include "platform/widgets/StatusBarItem.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

#include <functional>
#include <map>
#include <utility>

namespace platform {

namespace {

// Tray and menu sizes of common panels, at one and two device pixels per point.
constexpr int glyphSizes[] = {16, 22, 24, 32, 44, 48, 64};

// Calls back when the application's palette changes (a switch between light and dark).
class PaletteWatcher : public QObject {
public:
    explicit PaletteWatcher(std::function<void()> changed)
        : changed(std::move(changed)) {
        if (QCoreApplication::instance() != nullptr) {
            QCoreApplication::instance()->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == QCoreApplication::instance() &&
            event->type() == QEvent::ApplicationPaletteChange) {
            changed();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> changed;
};

} // namespace

StatusBarItem::StatusBarItem()
    : icon(std::make_unique<QSystemTrayIcon>())
    , paletteWatcher(std::make_unique<PaletteWatcher>([this] { showImage(); })) {
    // Trays open the context menu on a right click; a plain click opens it as well.
    QObject::connect(icon.get(), &QSystemTrayIcon::activated, icon.get(),
                     [this](QSystemTrayIcon::ActivationReason reason) { openMenu(reason); });
}

StatusBarItem::~StatusBarItem() {
    icon->hide();
}

void StatusBarItem::setImage(const QIcon& image) {
    setImageValue = image;
    showImage();
    icon->setVisible(!image.isNull());
}

QIcon StatusBarItem::image() const {
    return setImageValue;
}

void StatusBarItem::showImage() {
    icon->setIcon(tinted(setImageValue, templateColor()));
}

void StatusBarItem::setToolTip(const QString& text) {
    icon->setToolTip(text);
}

QString StatusBarItem::toolTip() const {
    return icon->toolTip();
}

void StatusBarItem::setMenu(std::shared_ptr<QMenu> menu) {
    std::shared_ptr<QMenu> previous = std::exchange(itemMenu, std::move(menu));
    icon->setContextMenu(itemMenu.get());
}

std::shared_ptr<QMenu> StatusBarItem::menu() const {
    return itemMenu;
}

QIcon StatusBarItem::tinted(const QIcon& image, const QColor& color) {
    if (image.isNull() || !image.isMask()) {
        return image;
    }
    static std::map<std::pair<qint64, QRgb>, QIcon> painted;
    const std::pair<qint64, QRgb> key{image.cacheKey(), color.rgba()};
    if (const auto found = painted.find(key); found != painted.end()) {
        return found->second;
    }
    QIcon result;
    for (int size : glyphSizes) {
        QPixmap glyph = image.pixmap(size, size);
        QPainter painter(&glyph);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(glyph.rect(), color);
        painter.end();
        result.addPixmap(glyph);
    }
    result.setIsMask(true);
    painted.emplace(key, result);
    return result;
}

QColor StatusBarItem::templateColor() {
    return QGuiApplication::palette().color(QPalette::Active, QPalette::WindowText);
}

void StatusBarItem::openMenu(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger && itemMenu) {
        itemMenu->popup(QCursor::pos());
    }
}

} // namespace platform
