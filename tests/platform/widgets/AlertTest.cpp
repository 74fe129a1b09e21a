#include "platform/widgets/Alert.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace platform {

namespace {

Alert accessAlert() {
    Alert alert;
    alert.setAlertStyle(Alert::Style::critical);
    alert.setMessageText("No access");
    alert.addButton("Open Settings");
    alert.addButton("OK");
    return alert;
}

// Clicks the button at that index of the dialog once it is up; returns the dialog's answer.
int runClicking(const Alert& alert, int index, QString* defaultButton = nullptr) {
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        if (defaultButton != nullptr) {
            *defaultButton = box->defaultButton()->text();
        }
        box->buttons().at(index)->click();
    });
    return alert.runModal();
}

} // namespace

TEST(AlertTest, ModalAlertAnswersByTheOrderInWhichButtonsWereAdded) {
    QString defaultButton;
    EXPECT_EQ(runClicking(accessAlert(), 0, &defaultButton), 1000);
    EXPECT_EQ(defaultButton, "Open Settings");
    EXPECT_EQ(runClicking(accessAlert(), 1), 1001);

    Alert withoutButtons;
    withoutButtons.setAlertStyle(Alert::Style::critical);
    EXPECT_EQ(runClicking(withoutButtons, 0), Alert::firstButtonReturn); // its own OK button
}

TEST(AlertTest, SheetReturnsAtOnceModalToItsWindowAndThenReportsThePressedButton) {
    QWidget window;
    window.show();
    EXPECT_FALSE(Alert().beginSheetModal(nullptr));
    int answer = 0;
    ASSERT_TRUE(accessAlert().beginSheetModal(&window, [&](int response) { answer = response; }));

    QPointer<QMessageBox> box = window.findChild<QMessageBox*>();
    ASSERT_FALSE(box.isNull());
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->windowModality(), Qt::WindowModal);
    EXPECT_EQ(box->text(), "No access");
    EXPECT_EQ(answer, 0);

    box->buttons().at(1)->click();
    EXPECT_EQ(answer, 1001);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(box.isNull());
}

} // namespace platform
