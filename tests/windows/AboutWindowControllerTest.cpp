#include "windows/AboutWindowController.h"

#include "platform/core/Bundle.h"
#include "windows/AboutViewController.h"
#include "windows/MainScenes.h"
#include "windows/Storyboard.h"
#include "windows/StoryboardInstantiable.h"

#include <QTest>
#include <gtest/gtest.h>

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
    showAbout();
    QWidget* window = controller->window();
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 2000));
    EXPECT_EQ(window->windowOpacity(), 1.0);
    controller->showWindow();
    EXPECT_TRUE(window->isVisible());
}

} // namespace windows
