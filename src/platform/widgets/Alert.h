#pragma once
// A message for the user with a row of buttons, shown as a modal dialog that blocks until a
// button is pressed, or as a sheet on a window that leaves the caller running.

#include <QString>
#include <QStringList>

#include <functional>

class QMessageBox;
class QWidget;

namespace platform {

class Alert {
public:
    enum class Style { warning = 0, informational = 1, critical = 2 };

    // The answer for the first button added; the second gives one more, and so on. An alert
    // without buttons shows one "OK" button, which answers the first button's value.
    static constexpr int firstButtonReturn = 1000;
    // The answer when the dialog was closed without any button.
    static constexpr int noButtonReturn = 0;

    using Completion = std::function<void(int response)>;

    void setAlertStyle(Style style);
    void setMessageText(const QString& text);
    void setInformativeText(const QString& text);
    // Buttons appear in the order added; the first is the default button.
    void addButton(const QString& title);

    // Shows the alert application-modal and returns the pressed button's answer.
    int runModal() const;
    // Shows the alert modal to the window and returns at once. The window owns the dialog,
    // which is deleted when it closes, after the completion (if any) got the answer. False
    // when there is no window.
    bool beginSheetModal(QWidget* window, Completion completion = {}) const;

private:
    void configure(QMessageBox& box) const;
    static int responseOf(const QMessageBox& box);

    Style style = Style::warning;
    QString messageText;
    QString informativeText;
    QStringList buttonTitles;
};

} // namespace platform
