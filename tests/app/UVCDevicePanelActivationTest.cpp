#include "app/UVCDevicePanel.h"

#include "AppTest.h"
#include "EventWatcher.h"
#include "app/StatusItem.h"
#include "platform/widgets/Application.h"
#include "windows/AboutWindowController.h"
#include "windows/UVCDeviceWindowController.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>

#include <functional>

namespace app {

namespace {

class UVCDevicePanelActivationTest : public AppTest {
protected:
    UVCDevicePanelActivationTest() {
        platform::Application::shared(); // made before any window is shown, as the program does
        plugCamera();
        item = StatusItem::make();
    }

    QWidget* chooseCamera() {
        item->menu()->actions().at(0)->trigger();
        return item->uvcDevicePanels().at(0)->windowController()->window();
    }
    QWidget* chooseAbout() {
        item->menu()->actions().at(2)->trigger();
        return item->aboutWindowController()->window();
    }

    static bool becomesActive(QWidget* window) {
        return runEventLoopUntil([&] { return QApplication::activeWindow() == window; });
    }

    std::shared_ptr<StatusItem> item;
};

} // namespace

// Whichever window of ours was in front, and whether or not the chosen one was still shown,
// choosing it again shows it on top and active, with the rest of the application behind it.
TEST_F(UVCDevicePanelActivationTest, ChoosingTheCameraOrAboutAgainBringsItsWindowForward) {
    const struct {
        const char* what;
        std::function<QWidget*()> choose;
        bool hide;
    } cases[] = {
        {"camera, behind another window", [this] { return chooseCamera(); }, false},
        {"camera, hidden", [this] { return chooseCamera(); }, true},
        {"About, behind another window", [this] { return chooseAbout(); }, false},
        {"About, hidden", [this] { return chooseAbout(); }, true},
    };
    QWidget other;
    other.show();
    EventWatcher otherRaises(QEvent::ZOrderChange);
    other.installEventFilter(&otherRaises);
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.what);
        QWidget* window = entry.choose();
        ASSERT_TRUE(becomesActive(window));
        other.activateWindow();
        ASSERT_TRUE(becomesActive(&other));
        if (entry.hide) {
            window->hide();
        }
        otherRaises.count = 0;

        EXPECT_EQ(entry.choose(), window);
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(becomesActive(window));
        EXPECT_GE(otherRaises.count, 1) << "the application came forward as a whole";
    }
}

} // namespace app
