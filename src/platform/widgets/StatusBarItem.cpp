#include "platform/widgets/StatusBarItem.h"

#include <QCursor>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <utility>

namespace platform {

namespace {

// Tray and menu sizes of common panels, at one and two device pixels per point.
constexpr int glyphSizes[] = {16, 22, 24, 32, 44, 48, 64};

// Relative luminance as WCAG 2 defines it, 0 for black to 1 for white.
double luminance(const QColor& color) {
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
           0.0722 * linear(color.blueF());
}

QPixmap filled(QPixmap mask, const QColor& color) {
    QPainter painter(&mask);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(mask.rect(), color);
    return mask;
}

// The glyph at size × size pixels. Its outline takes a pixel on each side at menu and tray
// sizes, more at larger ones; the images leave that much room at their edges.
QPixmap paintGlyph(const QIcon& image, int size, const TemplateTint& tint) {
    const QPixmap mask = image.pixmap(QSize(size, size), 1.0);
    QPixmap glyph(size, size);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    if (tint.outline.isValid()) {
        const int width = std::max(1, size / 20);
        const QPixmap ring = filled(mask, tint.outline);
        for (int dy = -width; dy <= width; ++dy) {
            for (int dx = -width; dx <= width; ++dx) {
                if (dx * dx + dy * dy <= width * width + width) {
                    painter.drawPixmap(dx, dy, ring);
                }
            }
        }
    }
    painter.drawPixmap(0, 0, filled(mask, tint.glyph));
    return glyph;
}

} // namespace

StatusBarItem::StatusBarItem(DesktopColorScheme& scheme)
    : colorScheme(&scheme)
    , icon(std::make_unique<QSystemTrayIcon>()) {
    // Trays open the context menu on a right click; a plain click opens it as well.
    QObject::connect(icon.get(), &QSystemTrayIcon::activated, icon.get(),
                     [this](QSystemTrayIcon::ActivationReason reason) { openMenu(reason); });
    QObject::connect(&scheme, &DesktopColorScheme::changed, icon.get(), [this] { showImage(); });
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
    const auto scheme = colorScheme ? colorScheme->scheme() : DesktopColorScheme::Scheme::unknown;
    icon->setIcon(tinted(setImageValue, trayTint(scheme)));
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

QIcon StatusBarItem::tinted(const QIcon& image, const TemplateTint& tint) {
    if (image.isNull() || !image.isMask()) {
        return image;
    }
    using Key = std::tuple<qint64, QRgb, QRgb>;
    static std::map<Key, QIcon> painted;
    const QRgb outline = tint.outline.isValid() ? tint.outline.rgba() : 0;
    const Key key{image.cacheKey(), tint.glyph.rgba(), outline};
    if (const auto found = painted.find(key); found != painted.end()) {
        return found->second;
    }
    QIcon result;
    for (int size : glyphSizes) {
        result.addPixmap(paintGlyph(image, size, tint));
    }
    result.setIsMask(true);
    painted.emplace(key, result);
    return result;
}

TemplateTint StatusBarItem::trayTint(DesktopColorScheme::Scheme scheme) {
    if (scheme == DesktopColorScheme::Scheme::light) {
        return {Qt::black, Qt::white};
    }
    return {Qt::white, Qt::black};
}

TemplateTint StatusBarItem::menuTint(const QPalette& palette) {
    const QColor text = palette.color(QPalette::Active, QPalette::WindowText);
    // The contrast ratios of the text colour with white and with black, as WCAG 2 has them.
    const double shade = luminance(text) + 0.05;
    const bool whiteStandsOut = 1.05 / shade >= shade / 0.05;
    return {text, whiteStandsOut ? QColor(Qt::white) : QColor(Qt::black)};
}

void StatusBarItem::openMenu(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger && itemMenu) {
        itemMenu->popup(QCursor::pos());
    }
}

} // namespace platform
