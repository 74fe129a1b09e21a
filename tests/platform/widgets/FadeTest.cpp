#include "platform/widgets/Fade.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

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

} // namespace platform
