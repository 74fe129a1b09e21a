#include "windows/AboutWindowController.h"

#include "platform/core/Bundle.h"
#include "platform/widgets/WindowPlacement.h"
#include "windows/AboutViewController.h"
#include "windows/MainScenes.h"
#include "windows/Storyboard.h"
#include "windows/StoryboardInstantiable.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace windows {

namespace {

class AboutWindowPresentationTest : public ::testing::Test {
protected:
    AboutWindowPresentationTest() {
        registerMainScenes();
        controller = StoryboardInstantiable<AboutWindowController>::instantiate(
            QStringLiteral("AboutWindowController"), Storyboard::main());
    }
    ~AboutWindowPresentationTest() override { platform::Bundle::setMain(nullptr); }

    QString shownVersion() const {
        controller->showWindow();
        return std::dynamic_pointer_cast<AboutViewController>(controller->contentViewController())
            ->versionLabel()
            ->text();
    }

    // Closes the window by its close button and waits for the fade to end.
    void closeWindow() const {
        QWidget* window = controller->window();
        window->close();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 2000));
    }

    std::shared_ptr<AboutWindowController> controller;
};

} // namespace

TEST_F(AboutWindowPresentationTest, ItLoadsCentredAndMovableAndKeepsItsPlaceWhenShownAgain) {
    QWidget* window = controller->window();
    const QPoint offCentre = window->frameGeometry().center() -
                             QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 1);
    controller->showWindow();
    EXPECT_TRUE(platform::isMovableByWindowBackground(window));

    const QPoint moved = window->pos() + QPoint(40, 30);
    window->move(moved);
    closeWindow();
    controller->showWindow();
    EXPECT_EQ(window->pos(), moved) << "centred when it loads, not at every showing";
}

TEST_F(AboutWindowPresentationTest, ItKeepsItsSizeAndCannotBeMaximized) {
    controller->showWindow();
    QWidget* window = controller->window();
    const QSize shown = window->size();
    window->resize(shown * 2);
    EXPECT_EQ(window->size(), shown);
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(AboutWindowPresentationTest, TheVersionIsSetAgainAtEveryShowing) {
    EXPECT_EQ(shownVersion(), QStringLiteral("v" VISTREL_PROJECT_VERSION));
    closeWindow();
    platform::Bundle::setMain(std::make_shared<platform::Bundle>(QStringLiteral(":/missing")));
    EXPECT_EQ(shownVersion(), "v1.0");
    closeWindow();
    platform::Bundle::setMain(nullptr);
    EXPECT_EQ(shownVersion(), QStringLiteral("v" VISTREL_PROJECT_VERSION));
}

} // namespace windows
