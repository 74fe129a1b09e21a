#include "platform/widgets/StatusBarItem.h"

#include "platform/core/Bundle.h"

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
