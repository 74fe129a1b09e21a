#include "platform/widgets/WindowController.h"

#include "platform/widgets/ViewController.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

namespace {

using Calls = std::vector<std::string>;

// Builds its window in code and records what it was asked.
class RecordingWindowController : public WindowController {
public:
    Calls calls;
    bool allowsClose = true;
    std::function<void()> onWillClose = [] {};

    bool windowShouldClose(QWidget* sender) override {
        calls.emplace_back(sender == window() ? "windowShouldClose" : "windowShouldClose(?)");
        return allowsClose;
    }
    void windowWillClose() override {
        calls.emplace_back("windowWillClose");
        onWillClose();
    }

protected:
    void loadWindow() override {
        calls.emplace_back("loadWindow");
        setWindow(std::make_unique<QWidget>());
    }
    void windowDidLoad() override { calls.emplace_back("windowDidLoad"); }
};

// Asks for a size while its view loads, as a view binding its size would.
class SizedViewController : public ViewController {
protected:
    void viewDidLoad() override { setPreferredContentSize(QSize(436, 450)); }
};

} // namespace

TEST(WindowControllerTest, TheFirstRequestLoadsTheWindowOnceThenCallsWindowDidLoad) {
    RecordingWindowController controller;
    EXPECT_TRUE(controller.calls.empty());

    QWidget* window = controller.window();
    controller.showWindow();

    EXPECT_EQ(controller.window(), window);
    EXPECT_EQ(controller.calls, (Calls{"loadWindow", "windowDidLoad"}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(controller.windowNibName().has_value());
}

TEST(WindowControllerTest, ARefusedCloseRequestKeepsTheWindowButCloseDoesNotAsk) {
    RecordingWindowController controller;
    controller.close();
    EXPECT_TRUE(controller.calls.empty());
    controller.allowsClose = false;
    controller.showWindow();
    controller.calls.clear();

    QCloseEvent titleBarClose;
    QCoreApplication::sendEvent(controller.window(), &titleBarClose);
    EXPECT_FALSE(controller.window()->close());
    EXPECT_TRUE(controller.window()->isVisible());

    controller.close();
    EXPECT_FALSE(controller.window()->isVisible());
    EXPECT_EQ(controller.calls,
              (Calls{"windowShouldClose", "windowShouldClose", "windowWillClose"}));
}

TEST(WindowControllerTest, AnAcceptedCloseRequestClosesAndTellsWindowWillClose) {
    RecordingWindowController controller;
    controller.showWindow();
    controller.calls.clear();

    EXPECT_TRUE(controller.window()->close());

    EXPECT_FALSE(controller.window()->isVisible());
    EXPECT_EQ(controller.calls, (Calls{"windowShouldClose", "windowWillClose"}));
}

TEST(WindowControllerTest, AControllerLetGoWhileItsWindowClosesLeavesTheWindowToEndAfterwards) {
    auto holder = std::make_shared<RecordingWindowController>();
    std::weak_ptr<RecordingWindowController> controller = holder;
    holder->onWillClose = [&holder] { holder.reset(); };
    holder->setContentViewController(std::make_shared<ViewController>());
    holder->showWindow();
    QPointer<QWidget> window = holder->window();

    EXPECT_TRUE(window->close());
    EXPECT_TRUE(controller.expired());
    ASSERT_FALSE(window.isNull());
    EXPECT_FALSE(window->isVisible());

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST(WindowControllerTest, TheWindowShowsItsContentViewAtThePreferredSize) {
    RecordingWindowController controller;
    auto content = std::make_shared<SizedViewController>();
    controller.setContentViewController(content);
    EXPECT_FALSE(content->isViewLoaded());

    controller.showWindow();
    QWidget* window = controller.window();
    EXPECT_EQ(content->window(), window);
    EXPECT_EQ(window->size(), QSize(436, 450));

    content->setPreferredContentSize(QSize(953, 450));
    EXPECT_EQ(content->view()->size(), QSize(953, 450));

    // A window the user cannot resize stays so at its new size.
    window->setFixedSize(480, 270);
    content->setPreferredContentSize(QSize(436, 450));
    EXPECT_EQ(window->minimumSize(), QSize(436, 450));
    EXPECT_EQ(window->maximumSize(), QSize(436, 450));
}

} // namespace platform
