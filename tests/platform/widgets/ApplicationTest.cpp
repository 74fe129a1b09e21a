#include "platform/widgets/Application.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace platform {

namespace {

QWidget* activeWindowAfterActivation() {
    Application::shared().activate(true);
    QTest::qWait(50); // the platform reports activation asynchronously
    return QApplication::activeWindow();
}

// Refuses every close request, as a window that fades out before closing does.
class StubbornWindow : public QWidget {
protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

} // namespace

TEST(ApplicationTest, ActivationFrontsTheWindowShownOrActivatedLast) {
    Application::shared(); // made before any window is shown, as the program does
    QWidget first;
    QWidget second;
    first.show();
    second.show();
    EXPECT_EQ(activeWindowAfterActivation(), &second);

    first.activateWindow(); // the user went back to the first window
    QTRY_COMPARE(QApplication::activeWindow(), &first);
    EXPECT_EQ(activeWindowAfterActivation(), &first);

    second.hide();
    second.show();
    EXPECT_EQ(activeWindowAfterActivation(), &second);
    second.hide();
    EXPECT_EQ(activeWindowAfterActivation(), &first);
}

TEST(ApplicationTest, AWindowRaisedWhileShownIsFrontedBeforeItsActivationArrives) {
    Application::shared();
    QWidget first;
    QWidget second;
    first.show();
    second.show();
    first.raise(); // brought forward again, its activation still to come
    first.activateWindow();
    EXPECT_EQ(activeWindowAfterActivation(), &first);
}

TEST(ApplicationTest, TerminateEndsTheEventLoopEvenWhenAWindowRefusesToClose) {
    StubbornWindow window;
    window.show();
    QTimer::singleShot(0, [] { Application::shared().terminate(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); }); // watchdog
    EXPECT_EQ(QApplication::exec(), 0);
}

} // namespace platform
