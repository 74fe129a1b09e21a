#include "platform/widgets/Alert.h"

#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

// Each button we add carries its answer; the "OK" button the dialog adds by itself has none.
constexpr const char* responseProperty = "alertResponse";

QMessageBox::Icon iconFor(Alert::Style style) {
    switch (style) {
    case Alert::Style::critical:
        return QMessageBox::Critical;
    case Alert::Style::informational:
        return QMessageBox::Information;
    case Alert::Style::warning:
        break;
    }
    return QMessageBox::Warning;
}

} // namespace

void Alert::setAlertStyle(Style newStyle) {
    style = newStyle;
}

void Alert::setMessageText(const QString& text) {
    messageText = text;
}

void Alert::setInformativeText(const QString& text) {
    informativeText = text;
}

void Alert::addButton(const QString& title) {
    buttonTitles.append(title);
}

int Alert::runModal() const {
    QMessageBox box;
    configure(box);
    box.exec();
    return responseOf(box);
}

bool Alert::beginSheetModal(QWidget* window, Completion completion) const {
    if (window == nullptr) {
        return false;
    }
    auto* box = new QMessageBox(window); // owned by the window, deleted on close
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    configure(*box);
    if (completion) {
        QObject::connect(box, &QDialog::finished, box,
                         [box, completion] { completion(responseOf(*box)); });
    }
    box->open();
    return true;
}

void Alert::configure(QMessageBox& box) const {
    box.setIcon(iconFor(style));
    box.setText(messageText);
    box.setInformativeText(informativeText);
    int response = firstButtonReturn;
    for (const QString& title : buttonTitles) {
        QPushButton* button = box.addButton(title, QMessageBox::AcceptRole);
        button->setProperty(responseProperty, response++);
        if (box.defaultButton() == nullptr) {
            box.setDefaultButton(button);
        }
    }
}

int Alert::responseOf(const QMessageBox& box) {
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == nullptr) {
        return noButtonReturn;
    }
    const QVariant response = clicked->property(responseProperty);
    return response.isValid() ? response.toInt() : firstButtonReturn;
}

} // namespace platform
