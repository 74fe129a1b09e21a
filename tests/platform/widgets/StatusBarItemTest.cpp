#include "platform/widgets/StatusBarItem.h"

#include "platform/core/Bundle.h"
#include "support/Contrast.h"
#include "support/DesktopPortal.h"
#include "support/EventLoop.h"
#include "support/SessionBus.h"

#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <QPointer>
#include <gtest/gtest.h>

#include <span>
#include <string>

namespace platform {

TEST(StatusBarItemTest, ItemShowsOnceItHasAnImageAndLeavesTheTrayWithItsLastOwner) {
    auto owner = std::make_shared<StatusBarItem>();
    QPointer<QSystemTrayIcon> icon = owner->trayIcon();
    EXPECT_FALSE(icon->isVisible());
    owner->setImage(Bundle::main().templateImage("status_item"));
    EXPECT_TRUE(icon->isVisible());

    std::shared_ptr<StatusBarItem> secondOwner = owner;
    owner.reset();
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(icon->isVisible());
    secondOwner.reset();
    EXPECT_TRUE(icon.isNull());
}

TEST(StatusBarItemTest, ItemKeepsItsMenuWhoseActionsTriggerAndAClickOpensIt) {
    StatusBarItem item;
    int quits = 0;
    {
        auto menu = std::make_shared<QMenu>();
        menu->addAction("No camera found")->setEnabled(false);
        menu->addSeparator();
        QObject::connect(menu->addAction("Quit"), &QAction::triggered, [&] { ++quits; });
        item.setMenu(menu);
    }
    ASSERT_EQ(item.menu()->actions().size(), 3);
    EXPECT_EQ(item.trayIcon()->contextMenu(), item.menu().get());
    item.menu()->actions().at(2)->trigger();
    EXPECT_EQ(quits, 1);

    emit item.trayIcon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(item.menu()->isVisible());
    item.menu()->hide();
}

} // namespace platform

namespace platform {

TEST(StatusBarItemTest, ANewMenuReplacesTheOldOneInTheTray) {
    StatusBarItem item;
    auto first = std::make_shared<QMenu>();
    first->addAction("No camera found");
    item.setMenu(first);
    QPointer<QMenu> replaced = first.get();
    first.reset();

    auto second = std::make_shared<QMenu>();
    second->addAction("VISTREL");
    second->addAction("Quit");
    item.setMenu(second);
    EXPECT_TRUE(replaced.isNull()) << "the item let its old menu go";
    ASSERT_EQ(item.trayIcon()->contextMenu(), second.get());
    EXPECT_EQ(item.trayIcon()->contextMenu()->actions().at(0)->text(), "VISTREL");
}

// Qt keeps the pixmaps drawn from an icon in its pixmap cache until the cache is full: menus
// rebuilt on every plug with new icons would fill it, so one image and colour give one icon.
TEST(StatusBarItemTest, OneImageAndColourGiveTheSameIconEveryTime) {
    for (const char* name : {"status_item", "camera"}) {
        SCOPED_TRACE(name);
        const QIcon glyph = Bundle::main().templateImage(name);
        EXPECT_EQ(Bundle::main().templateImage(name).cacheKey(), glyph.cacheKey());
        EXPECT_EQ(Bundle::main().image(name).cacheKey(), Bundle::main().image(name).cacheKey());
        const QIcon white = StatusBarItem::tinted(glyph, Qt::white);
        EXPECT_EQ(StatusBarItem::tinted(Bundle::main().templateImage(name), Qt::white).cacheKey(),
                  white.cacheKey());
        EXPECT_NE(StatusBarItem::tinted(glyph, Qt::black).cacheKey(), white.cacheKey());
        const TemplateTint outlined{Qt::white, Qt::black};
        EXPECT_EQ(StatusBarItem::tinted(glyph, outlined).cacheKey(),
                  StatusBarItem::tinted(glyph, outlined).cacheKey());
        EXPECT_NE(StatusBarItem::tinted(glyph, outlined).cacheKey(), white.cacheKey());
    }
}

TEST(StatusBarItemTest, TemplateGlyphsTakeTheColourOfTheirTintAndOtherImagesStay) {
    const QIcon glyph = Bundle::main().templateImage("status_item");
    ASSERT_TRUE(glyph.isMask());
    for (const QColor& color : {QColor(Qt::white), QColor(Qt::black), QColor(200, 40, 40)}) {
        SCOPED_TRACE(color.name().toStdString());
        const QImage image = StatusBarItem::tinted(glyph, color).pixmap(22, 22).toImage();
        int painted = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (pixel.alpha() == 255) {
                    ++painted;
                    EXPECT_EQ(pixel.rgb(), color.rgb());
                }
            }
        }
        EXPECT_GT(painted, 0);
    }
    const QIcon plain = Bundle::main().image("status_item");
    EXPECT_EQ(StatusBarItem::tinted(plain, Qt::white).cacheKey(), plain.cacheKey());
}

namespace {

const QColor darkSurfaces[] = {QColor(0x35, 0x35, 0x35), QColor(Qt::black),
                               QColor(0x31, 0x36, 0x3b)}; // Xfce 4.18, GNOME, Breeze Dark
const QColor lightSurfaces[] = {QColor(0xf0, 0xf0, 0xf0), QColor(Qt::white),
                                QColor(0xef, 0xf0, 0xf1)};

QPalette paletteWithText(const QColor& text) {
    QPalette palette;
    palette.setColor(QPalette::WindowText, text);
    return palette;
}

// The painted icon's pixels where the template covers them fully: the glyph's lines alone.
QImage linesOf(const QImage& painted, const QIcon& glyph) {
    const QImage mask = glyph.pixmap(painted.size(), 1.0).toImage();
    QImage lines = painted.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < lines.height(); ++y) {
        for (int x = 0; x < lines.width(); ++x) {
            if (qAlpha(mask.pixel(x, y)) < 192) {
                lines.setPixel(x, y, 0);
            }
        }
    }
    return lines;
}

} // namespace

// The panel's colour and that of a panel's own menu are the desktop's: every icon shows on dark
// and light surfaces alike, and its lines themselves stand out on the surfaces its tint is for.
TEST(StatusBarItemTest, TrayAndMenuIconsStandOutFromTheSurfacesTheyMayMeet) {
    const struct {
        const char* what;
        TemplateTint tint;
        std::span<const QColor, 3> linesStandOutOn;
    } cases[] = {
        {"tray, scheme unknown", StatusBarItem::trayTint(DesktopColorScheme::Scheme::unknown),
         darkSurfaces},
        {"tray, dark scheme", StatusBarItem::trayTint(DesktopColorScheme::Scheme::dark),
         darkSurfaces},
        {"tray, light scheme", StatusBarItem::trayTint(DesktopColorScheme::Scheme::light),
         lightSurfaces},
        {"menu, light palette", StatusBarItem::menuTint(paletteWithText(Qt::black)), lightSurfaces},
        {"menu, dark palette", StatusBarItem::menuTint(paletteWithText(Qt::white)), darkSurfaces},
    };
    for (const auto& entry : cases) {
        for (const char* name : {"status_item", "camera", "about", "quit"}) {
            const QIcon glyph = Bundle::main().templateImage(name);
            for (const int size : {16, 22}) {
                const QImage image = StatusBarItem::tinted(glyph, entry.tint)
                                         .pixmap(QSize(size, size), 1.0)
                                         .toImage();
                const std::string where =
                    std::string(entry.what) + ", " + name + " at " + std::to_string(size) + " on ";
                for (const auto& surfaces : {std::span(darkSurfaces), std::span(lightSurfaces)}) {
                    for (const QColor& surface : surfaces) {
                        EXPECT_GE(sim::iconContrast(image, surface), 3.0)
                            << where << surface.name().toStdString();
                    }
                }
                for (const QColor& surface : entry.linesStandOutOn) {
                    EXPECT_GE(sim::iconContrast(linesOf(image, glyph), surface, 0.5), 3.0)
                        << where << surface.name().toStdString() << ", its lines";
                }
            }
        }
    }
}

TEST(StatusBarItemTest, TheTrayGlyphFollowsTheDesktopsSchemeAsItChanges) {
    sim::SessionBus bus;
    sim::DesktopPortal portal(bus.connection(), sim::DesktopPortal::Version::second, 2U);
    DesktopColorScheme scheme(bus.connection());
    StatusBarItem item(scheme);
    const QIcon glyph = Bundle::main().templateImage("status_item");
    item.setImage(glyph);
    const auto shows = [&](DesktopColorScheme::Scheme expected) {
        const qint64 tinted =
            StatusBarItem::tinted(glyph, StatusBarItem::trayTint(expected)).cacheKey();
        return sim::runEventLoopUntil([&] { return item.trayIcon()->icon().cacheKey() == tinted; });
    };
    EXPECT_TRUE(shows(DesktopColorScheme::Scheme::light));
    for (const auto& [value, expected] : {std::pair{1U, DesktopColorScheme::Scheme::dark},
                                          std::pair{2U, DesktopColorScheme::Scheme::light}}) {
        portal.changeSetting("org.freedesktop.appearance", "color-scheme", value);
        EXPECT_TRUE(shows(expected)) << value;
    }
    EXPECT_EQ(item.image().cacheKey(), glyph.cacheKey());
}

} // namespace platform
