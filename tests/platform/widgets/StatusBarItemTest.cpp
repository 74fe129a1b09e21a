#include "platform/widgets/StatusBarItem.h"

#include "platform/core/Bundle.h"

#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <QPointer>
#include <gtest/gtest.h>

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

namespace {

// The colour of the first opaque pixel of the icon at tray size.
QRgb glyphColor(const QIcon& icon) {
    const QImage image = icon.pixmap(22, 22).toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).alpha() == 255) {
                return image.pixelColor(x, y).rgb();
            }
        }
    }
    return 0;
}

} // namespace

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
    }
}

TEST(StatusBarItemTest, TemplateGlyphsTakeThePaletteTextColourAndOtherImagesStay) {
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

    StatusBarItem item;
    QPalette dark = QGuiApplication::palette();
    dark.setColor(QPalette::WindowText, Qt::white);
    QGuiApplication::setPalette(dark);
    item.setImage(glyph);
    EXPECT_EQ(glyphColor(item.trayIcon()->icon()), QColor(Qt::white).rgb());
    dark.setColor(QPalette::WindowText, Qt::black);
    QGuiApplication::setPalette(dark);
    EXPECT_EQ(glyphColor(item.trayIcon()->icon()), QColor(Qt::black).rgb())
        << "a palette change recolours the shown glyph";
    QGuiApplication::setPalette(QPalette());
}

} // namespace platform
