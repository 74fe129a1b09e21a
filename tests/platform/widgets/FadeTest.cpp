#include "platform/widgets/Fade.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

TEST(FadeTest, theWindowFadesToTransparentThenTheCompletionRunsAndMayEndIt) {
    auto window = std::make_unique<QWidget>();
    window->show();
    QPointer<QWidget> watched = window.get();
    double opacityAtCompletion = -1;
    QElapsedTimer clock;
    clock.start();
    qint64 elapsedAtCompletion = 0;

    platform::fadeOut(window.get(), [&] {
        opacityAtCompletion = window->windowOpacity();
        elapsedAtCompletion = clock.elapsed();
        window.reset();
    });
    EXPECT_FALSE(watched.isNull());

    EXPECT_TRUE(QTest::qWaitFor([&] { return watched.isNull(); }, 2000));
    EXPECT_DOUBLE_EQ(opacityAtCompletion, 0.0);
    EXPECT_GE(elapsedAtCompletion, platform::defaultFadeDuration.count() - 20);
}

TEST(FadeTest, aWindowThatEndsMidFadeNeverRunsTheCompletion) {
    auto window = std::make_unique<QWidget>();
    window->show();
    bool completed = false;

    platform::fadeOut(window.get(), [&] { completed = true; });
    QTest::qWait(50);
    window.reset();
    QTest::qWait(static_cast<int>(platform::defaultFadeDuration.count()) + 100);

    EXPECT_FALSE(completed);
}
