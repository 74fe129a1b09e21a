#include "app/StatusItem.h"

#include "AppTest.h"
#include "EventWatcher.h"
#include "app/AppDelegate.h"
#include "app/UVCDevicePanel.h"
#include "windows/UVCDeviceWindowController.h"

#include <QAction>
#include <QEvent>
#include <QMenu>

#include <functional>

namespace app {

namespace {

class StatusItemReplacementTest : public AppTest {
protected:
    StatusItemReplacementTest() { plugCamera(); }
};

} // namespace

TEST_F(StatusItemReplacementTest, TheReplacedItemEndsOnlyAfterItsSuccessorIsBuiltAndStored) {
    auto delegate = std::make_shared<AppDelegate>();
    delegate->statusItem = StatusItem::make();
    delegate->statusItem->menu()->actions().at(0)->trigger();
    QWidget* window = delegate->statusItem->uvcDevicePanels().at(0)->windowController()->window();
    const std::weak_ptr<StatusItem> replaced = delegate->statusItem;
    // The replaced item's panel closes its window as it ends.
    EventWatcher whileEnding(QEvent::Close, [&] {
        ASSERT_TRUE(delegate->statusItem);
        EXPECT_NE(delegate->statusItem, replaced.lock());
        EXPECT_EQ(delegate->statusItem->uvcDevicePanels().size(), 1U);
    });
    window->installEventFilter(&whileEnding);

    delegate->reinitializeStatusItem();
    ASSERT_TRUE(runEventLoopUntil([&] { return replaced.expired(); }));
    EXPECT_EQ(whileEnding.count, 1);
}

TEST_F(StatusItemReplacementTest, EveryObservationEverRegisteredPrintsItsLineOnce) {
    std::shared_ptr<StatusItem> item = StatusItem::make();
    item = StatusItem::make();
    item = StatusItem::make();
    output.clear();
    unplugCamera();
    EXPECT_EQ(appLines(), (Lines{"Device disconnected: VISTREL", "Device disconnected: VISTREL",
                                 "Device removed: VISTREL", "Device disconnected: VISTREL"}));
}

} // namespace app
