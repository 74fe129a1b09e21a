#include "windows/AboutWindowController.h"

#include "platform/core/Bundle.h"
#include "windows/AboutViewController.h"
#include "windows/MainScenes.h"
#include "windows/Storyboard.h"
#include "windows/StoryboardInstantiable.h"

#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace windows {

namespace {

class AboutWindowControllerTest : public ::testing::Test {
protected:
    void SetUp() override { registerMainScenes(); }
    void TearDown() override { platform::Bundle::setMain(nullptr); }

    QLabel* showAbout() {
        controller = StoryboardInstantiable<AboutWindowController>::instantiate(
            QStringLiteral("AboutWindowController"), Storyboard::main());
        controller->showWindow();
        auto content =
            std::dynamic_pointer_cast<AboutViewController>(controller->contentViewController());
        return content->versionLabel();
    }

    std::shared_ptr<AboutWindowController> controller;
};

} // namespace

TEST_F(AboutWindowControllerTest, TheVersionComesFromTheBundleElseItIsOneDotZero) {
    EXPECT_EQ(showAbout()->text(), QStringLiteral("v" VISTREL_PROJECT_VERSION));

    platform::Bundle::setMain(std::make_shared<platform::Bundle>(QStringLiteral(":/missing")));
    controller->window()->hide();
    controller->showWindow();
    EXPECT_EQ(showAbout()->text(), "v1.0");
}

TEST_F(AboutWindowControllerTest, CloseFadesOutThenClosesAndTheWindowIsOpaqueWhenShownAgain) {
    // The title bar's close button, and the "cancel:" action a scene's control may send.
    const std::vector<std::function<void(QWidget*)>> closings = {
        [](QWidget* window) { EXPECT_FALSE(window->close()); },
        [this](QWidget* window) {
            EXPECT_TRUE(
                QMetaObject::invokeMethod(controller.get(), "cancel", Q_ARG(QObject*, window)));
        },
    };
    for (const auto& close : closings) {
        showAbout();
        QWidget* window = controller->window();
        close(window);
        EXPECT_TRUE(window->isVisible());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 2000));
        EXPECT_EQ(window->windowOpacity(), 1.0);
        controller->showWindow();
        EXPECT_TRUE(window->isVisible());
    }
}

} // namespace windows
