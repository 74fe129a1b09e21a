#include "platform/widgets/SegmentedControl.h"

#include <QFocusEvent>

#include <algorithm>

namespace platform {

SegmentedControl::SegmentedControl(QWidget* parent)
    : QWidget(parent)
    , segmentLayout(new QHBoxLayout(this))
    , buttonGroup(new QButtonGroup(this)) {
    segmentLayout->setContentsMargins(0, 0, 0, 0);
    segmentLayout->setSpacing(0);
    buttonGroup->setExclusive(true);
    // Clicks are the only source: code that checks a button goes through setSelectedSegment.
    connect(buttonGroup, &QButtonGroup::idClicked, this, &SegmentedControl::userSelected);
    connect(buttonGroup, &QButtonGroup::idToggled, this, &SegmentedControl::updateTabStops);
}

int SegmentedControl::segmentCount() const {
    return static_cast<int>(buttonGroup->buttons().size());
}

void SegmentedControl::setSegmentCount(int count) {
    count = std::max(count, 0);
    while (segmentCount() > count) {
        QPushButton* last = segmentButton(segmentCount() - 1);
        buttonGroup->removeButton(last);
        delete last;
    }
    while (segmentCount() < count) {
        auto* button = new QPushButton(this);
        button->setCheckable(true);
        buttonGroup->addButton(button, segmentCount());
        segmentLayout->addWidget(button);
    }
    updateTabStops();
}

QString SegmentedControl::label(int segment) const {
    const QPushButton* button = segmentButton(segment);
    return button != nullptr ? button->text() : QString();
}

void SegmentedControl::setLabel(const QString& label, int segment) {
    if (QPushButton* button = segmentButton(segment)) {
        button->setText(label);
    }
}

QStringList SegmentedControl::labels() const {
    QStringList result;
    for (int segment = 0; segment < segmentCount(); ++segment) {
        result << label(segment);
    }
    return result;
}

void SegmentedControl::setLabels(const QStringList& labels) {
    setSegmentCount(static_cast<int>(labels.size()));
    for (int segment = 0; segment < segmentCount(); ++segment) {
        setLabel(labels.at(segment), segment);
    }
}

bool SegmentedControl::isEnabledForSegment(int segment) const {
    const QPushButton* button = segmentButton(segment);
    // The segment's own flag, whatever the control's.
    return button != nullptr && button->isEnabledTo(this);
}

void SegmentedControl::setEnabledForSegment(bool enabled, int segment) {
    if (QPushButton* button = segmentButton(segment)) {
        button->setEnabled(enabled);
        updateTabStops();
    }
}

int SegmentedControl::selectedSegment() const {
    return buttonGroup->checkedId() >= 0 ? buttonGroup->checkedId() : noSegment;
}

void SegmentedControl::setSelectedSegment(int segment) {
    if (QPushButton* button = segmentButton(segment)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; let go of it for a moment to clear it.
    if (QAbstractButton* checked = buttonGroup->checkedButton()) {
        buttonGroup->setExclusive(false);
        checked->setChecked(false);
        buttonGroup->setExclusive(true);
    }
}

void SegmentedControl::updateTabStops() {
    // Tab enters at the selected segment, as it enters a group of radio buttons, so that the
    // arrow keys move the selection from there. Without a selected segment that can take the
    // focus, every segment is a stop (the first one in the chain is taken).
    QAbstractButton* checked = buttonGroup->checkedButton();
    const bool stopAtChecked = checked != nullptr && checked->isEnabled();
    bool focusLeft = false;
    for (QAbstractButton* button : buttonGroup->buttons()) {
        const bool stop = !stopAtChecked || button == checked;
        const int policy =
            stop ? (button->focusPolicy() | Qt::TabFocus) : (button->focusPolicy() & ~Qt::TabFocus);
        button->setFocusPolicy(static_cast<Qt::FocusPolicy>(policy));
        focusLeft = focusLeft || (!stop && button->hasFocus());
    }
    // The focus moves with the selection, as on a tab bar, so that the arrows go on from there.
    if (focusLeft) {
        checked->setFocus(Qt::OtherFocusReason);
    }
}

void SegmentedControl::focusInEvent(QFocusEvent* event) {
    for (QAbstractButton* button : buttonGroup->buttons()) {
        if ((button->focusPolicy() & Qt::TabFocus) != 0 && button->isEnabled()) {
            button->setFocus(event->reason());
            return;
        }
    }
    QWidget::focusInEvent(event);
}

QPushButton* SegmentedControl::segmentButton(int segment) const {
    return qobject_cast<QPushButton*>(buttonGroup->button(segment));
}

} // namespace platform
