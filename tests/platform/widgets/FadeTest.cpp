#include "platform/widgets/Fade.h"

#include "platform/widgets/WindowController.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace platform {

TEST(FadeTest, TheWindowFadesToTransparentThenTheCompletionRunsAndMayEndIt) {
    auto window = std::make_unique<QWidget>();
    window->show();
    QPointer<QWidget> watched = window.get();
    double opacityAtCompletion = -1;
    QElapsedTimer clock;
    clock.start();
    qint64 elapsedAtCompletion = 0;

    fadeOut(window.get(), [&] {
        opacityAtCompletion = window->windowOpacity();
        elapsedAtCompletion = clock.elapsed();
        window.reset();
    });
    EXPECT_FALSE(watched.isNull());

    EXPECT_TRUE(QTest::qWaitFor([&] { return watched.isNull(); }, 2000));
    EXPECT_DOUBLE_EQ(opacityAtCompletion, 0.0);
    EXPECT_GE(elapsedAtCompletion, defaultFadeDuration.count() - 20);
}

TEST(FadeTest, AWindowThatEndsMidFadeNeverRunsTheCompletion) {
    auto window = std::make_unique<QWidget>();
    window->show();
    bool completed = false;

    fadeOut(window.get(), [&] { completed = true; });
    QTest::qWait(50);
    window.reset();
    QTest::qWait(static_cast<int>(defaultFadeDuration.count()) + 100);

    EXPECT_FALSE(completed);
}

namespace {

// Notes the window's opacity at the moment it closes.
class OpacityRecordingWindowController : public WindowController {
public:
    using WindowController::WindowController;

    std::vector<double> opacitiesAtClose;

    void windowWillClose() override { opacitiesAtClose.push_back(window()->windowOpacity()); }
};

} // namespace

TEST(FadeTest, FadeOutAndCloseClosesTheTransparentWindowThenMakesItOpaqueAgain) {
    auto controller =
        std::make_shared<OpacityRecordingWindowController>(std::make_unique<QWidget>());
    controller->showWindow();
    QWidget* window = controller->window();

    fadeOutAndClose(*controller);
    EXPECT_TRUE(window->isVisible());

    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 2000));
    EXPECT_EQ(controller->opacitiesAtClose, std::vector<double>{0.0});
    EXPECT_EQ(window->windowOpacity(), 1.0);
}

TEST(FadeTest, FadeOutAndCloseOfAControllerThatEndsMidFadeLeavesNothingToRun) {
    auto controller =
        std::make_shared<OpacityRecordingWindowController>(std::make_unique<QWidget>());
    controller->showWindow();
    QPointer<QWidget> watched = controller->window();

    fadeOutAndClose(*controller);
    QTest::qWait(50);
    controller.reset();
    EXPECT_TRUE(watched.isNull());
    QTest::qWait(static_cast<int>(defaultFadeDuration.count()) + 100);
}

} // namespace platform
