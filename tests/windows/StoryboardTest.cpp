#include "windows/Storyboard.h"
#include "platform/widgets/SegmentedControl.h"
#include "platform/widgets/ViewController.h"
#include "platform/widgets/WindowController.h"
#include "windows/LinkButton.h"
#include "windows/SceneLoader.h"
#include "windows/StoryboardInstantiable.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <gtest/gtest.h>

#include <functional>
#include <unordered_set>

namespace windows {

namespace {

// The controllers that the test scenes name; their outlets are pointer properties.
class SceneViewController : public platform::ViewController {
    Q_OBJECT
    Q_PROPERTY(QLabel* titleLabel MEMBER titleLabel)
    Q_PROPERTY(QSlider* wrongKindOutlet MEMBER wrongKindOutlet)
    Q_PROPERTY(QLabel* missingOutlet MEMBER missingOutlet)
    Q_PROPERTY(platform::SegmentedControl* modeControl MEMBER modeControl)
    Q_PROPERTY(windows::LinkButton* linkButton MEMBER linkButton)
    Q_PROPERTY(QWidget* sceneView MEMBER sceneView)

public:
    using ViewController::ViewController;

    QPointer<QLabel> titleLabel;
    QPointer<QSlider> wrongKindOutlet;
    QPointer<QLabel> missingOutlet;
    QPointer<platform::SegmentedControl> modeControl;
    QPointer<LinkButton> linkButton;
    // Named after the top widget of its own scene.
    QPointer<QWidget> sceneView;
};

class SceneWindowController : public platform::WindowController {
    Q_OBJECT
    Q_PROPERTY(QPushButton* closeButton MEMBER closeButton)
    Q_PROPERTY(QWidget* sceneWindow MEMBER sceneWindow)

public:
    using WindowController::WindowController;

    QPointer<QPushButton> closeButton;
    // Named after the top widget of its own scene.
    QPointer<QWidget> sceneWindow;
    int windowDidLoadCalls = 0;

protected:
    void windowDidLoad() override { ++windowDidLoadCalls; }
};

class StoryboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        SceneLoader::registerController<SceneViewController>();
        SceneLoader::registerController<SceneWindowController>();
    }
};

} // namespace

TEST_F(StoryboardTest, EqualNamesMakeEqualStoryboardsThatHashAlike) {
    const Storyboard main(QStringLiteral("Main"));
    const Storyboard other(QStringLiteral("Settings"));

    EXPECT_EQ(main, Storyboard::main());
    EXPECT_NE(other, Storyboard::main());
    EXPECT_EQ(std::hash<Storyboard>{}(main), std::hash<Storyboard>{}(Storyboard::main()));
    EXPECT_EQ(std::unordered_set<Storyboard>({main, Storyboard::main(), other}).size(), 2u);
}

TEST_F(StoryboardTest, AViewSceneNamedAfterItsClassConnectsOutletsOfTheRightKindByName) {
    auto controller = StoryboardInstantiable<SceneViewController>::instantiate(Storyboard::main());

    ASSERT_NE(controller->titleLabel, nullptr);
    EXPECT_EQ(controller->titleLabel->text(), "Scene title");
    EXPECT_EQ(controller->wrongKindOutlet, nullptr);
    EXPECT_EQ(controller->missingOutlet, nullptr);
    ASSERT_NE(controller->modeControl, nullptr);
    EXPECT_EQ(controller->modeControl->labels(), (QStringList{"Manual", "Auto", "Shutter"}));
    ASSERT_NE(controller->linkButton, nullptr);
    EXPECT_EQ(controller->linkButton->url(), "https://example.com/vistrel");
    EXPECT_FALSE(controller->isViewLoaded());
    EXPECT_EQ(controller->view()->objectName(), "sceneView");
}

TEST_F(StoryboardTest, AnOutletNamedAfterTheScenesTopWidgetIsConnectedToThatWidget) {
    auto view = StoryboardInstantiable<SceneViewController>::instantiate(Storyboard::main());
    auto window = StoryboardInstantiable<SceneWindowController>::instantiate(Storyboard::main());
    auto content = std::dynamic_pointer_cast<SceneViewController>(window->contentViewController());
    ASSERT_NE(content, nullptr);

    ASSERT_NE(view->sceneView, nullptr);
    EXPECT_EQ(view->sceneView->objectName(), "sceneView");
    EXPECT_EQ(view->sceneView, view->view());
    ASSERT_NE(window->sceneWindow, nullptr);
    EXPECT_EQ(window->sceneWindow->objectName(), "sceneWindow");
    EXPECT_EQ(window->sceneWindow, window->window());
    // The content's outlet names the top widget of another scene, which this one lacks.
    EXPECT_EQ(content->sceneView, nullptr);
}

TEST_F(StoryboardTest, AWindowSceneMakesItsWindowOnFirstRequestAroundItsContentController) {
    auto controller = StoryboardInstantiable<SceneWindowController>::instantiate(
        QStringLiteral("SceneWindowController"), Storyboard::main());
    auto content =
        std::dynamic_pointer_cast<SceneViewController>(controller->contentViewController());
    ASSERT_NE(content, nullptr);
    ASSERT_NE(controller->closeButton, nullptr);
    ASSERT_NE(content->titleLabel, nullptr);
    EXPECT_EQ(content->titleLabel->text(), "Content title");
    EXPECT_FALSE(content->isViewLoaded());
    EXPECT_EQ(controller->windowDidLoadCalls, 0);

    controller->showWindow();

    EXPECT_EQ(controller->window()->objectName(), "sceneWindow");
    EXPECT_EQ(controller->windowDidLoadCalls, 1);
    EXPECT_EQ(content->view()->objectName(), "contentView");
    EXPECT_EQ(content->window(), controller->window());
}

TEST_F(StoryboardTest, AWindowSceneNeverShownEndsWithItsController) {
    auto controller =
        StoryboardInstantiable<SceneWindowController>::instantiate(Storyboard::main());
    QPointer<QPushButton> closeButton = controller->closeButton;

    controller.reset();

    EXPECT_TRUE(closeButton.isNull());
}

TEST_F(StoryboardTest, ASceneOfAnotherClassStopsTheProcessNamingTheCaller) {
    EXPECT_DEATH(StoryboardInstantiable<SceneViewController>::instantiate(
                     QStringLiteral("SceneWindowController"), Storyboard::main()),
                 "StoryboardTest\\.cpp:[0-9]+: Fatal error: Could not cast value of type "
                 "'SceneWindowController' to 'SceneViewController'");
}

} // namespace windows

#include "StoryboardTest.moc"
