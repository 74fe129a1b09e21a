#include "app/UVCDevicePanel.h"

#include "AppTest.h"
#include "EventWatcher.h"
#include "app/AppDelegate.h"
#include "app/StatusItem.h"
#include "windows/UVCDeviceWindowController.h"
#include "windows/UVCDeviceWindowModel.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QPointer>

namespace app {

namespace {

class UVCDevicePanelTest : public AppTest {
protected:
    UVCDevicePanelTest() {
        plugCamera();
        item = StatusItem::make();
    }

    // Chooses the camera's menu item; the window of the listed panel.
    QPointer<QWidget> chooseCamera() {
        item->menu()->actions().at(0)->trigger();
        const auto& controller = item->uvcDevicePanels().at(0)->windowController();
        return controller ? controller->window() : nullptr;
    }

    static int visibleWindows() {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            count +=
                widget->isVisible() && widget->isWindow() && widget->windowType() == Qt::Window;
        }
        return count;
    }

    std::shared_ptr<StatusItem> item;
};

} // namespace

TEST_F(UVCDevicePanelTest, ChoosingTheCameraAgainShowsTheSameWindow) {
    const std::shared_ptr<UVCDevicePanel> panel = item->uvcDevicePanels().at(0);
    const QPointer<QWidget> window = chooseCamera();
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isVisible());
    const auto controller = panel->windowController();
    const auto viewModel = controller->windowModel()->viewModel();

    EXPECT_EQ(chooseCamera(), window);
    EXPECT_EQ(panel->windowController(), controller);
    EXPECT_EQ(controller->windowModel()->viewModel(), viewModel) << "nothing is made anew";
    EXPECT_EQ(visibleWindows(), 1);
}

TEST_F(UVCDevicePanelTest, AfterTheUserClosedTheWindowTheNextChoiceMakesANewOne) {
    const std::shared_ptr<UVCDevicePanel> panel = item->uvcDevicePanels().at(0);
    const QPointer<QWidget> first = chooseCamera();
    const auto firstModel = panel->windowController()->windowModel();
    first->close(); // fades out, then closes
    EXPECT_TRUE(first->isVisible());
    ASSERT_TRUE(runEventLoopUntil([&] { return !panel->windowController(); }));

    const QPointer<QWidget> second = chooseCamera();
    ASSERT_FALSE(second.isNull());
    EXPECT_TRUE(second->isVisible());
    EXPECT_NE(panel->windowController()->windowModel(), firstModel);
    EXPECT_EQ(visibleWindows(), 1);
}

TEST_F(UVCDevicePanelTest, AnEndingPanelClosesItsWindowAtOnce) {
    for (const char* ending : {"the camera disconnects", "the status item is replaced"}) {
        SCOPED_TRACE(ending);
        if (!camera.isPlugged()) {
            plugCamera();
        }
        const QPointer<QWidget> window = chooseCamera();
        ASSERT_FALSE(window.isNull());
        EventWatcher closes(QEvent::Close); // none when the window is only destroyed
        window->installEventFilter(&closes);
        if (std::string_view(ending) == "the camera disconnects") {
            unplugCamera();
        } else {
            item = StatusItem::make();
        }
        EXPECT_TRUE(window.isNull() || !window->isVisible());
        EXPECT_EQ(closes.count, 1) << "closed, not only destroyed";
        EXPECT_EQ(visibleWindows(), 0);
    }
}

TEST_F(UVCDevicePanelTest, AUSBArrivalReplacesTheStatusItemAndClosesItsWindowsAtOnce) {
    auto delegate = std::make_shared<AppDelegate>();
    delegate->statusItem = item;
    item->menu()->actions().at(0)->trigger();
    const QPointer<QWidget> window = item->uvcDevicePanels().at(0)->windowController()->window();
    const std::weak_ptr<StatusItem> replaced = item;
    item.reset();

    delegate->reinitializeStatusItem();
    EXPECT_FALSE(replaced.expired()) << "replaced later, on the main thread";
    ASSERT_TRUE(runEventLoopUntil([&] { return replaced.expired(); }));
    EXPECT_TRUE(window.isNull() || !window->isVisible());
    ASSERT_TRUE(delegate->statusItem);
    EXPECT_EQ(delegate->statusItem->uvcDevicePanels().size(), 1U);
    EXPECT_EQ(titles(*delegate->statusItem->menu()).front(), "VISTREL");
}

TEST_F(UVCDevicePanelTest, DevicesWithoutUsableIDsGiveNoPanel) {
    const platform::CaptureDevice devices[] = {
        {"VISTREL", "0c45636", "/dev/video0"},
        {"VISTREL", "usb-0:1-0c45:6366", "/dev/video0"},
        {"VISTREL", "usb-0:1-04d80825", "/dev/video0"},
    };
    for (const platform::CaptureDevice& device : devices) {
        SCOPED_TRACE(device.uniqueID().toStdString());
        EXPECT_FALSE(UVCDevicePanel::make(device));
    }
    const platform::CaptureDevice& listed = item->uvcDevicePanels().at(0)->captureDevice();
    EXPECT_TRUE(UVCDevicePanel::make(listed));
}

} // namespace app
