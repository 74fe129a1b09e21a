#include "platform/widgets/SegmentedControl.h"

#include <algorithm>

namespace platform {

SegmentedControl::SegmentedControl(QWidget* parent)
    : QWidget(parent)
    , layout_(new QHBoxLayout(this))
    , group_(new QButtonGroup(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    group_->setExclusive(true);
    // Clicks are the only source: code that checks a button goes through setSelectedSegment.
    connect(group_, &QButtonGroup::idClicked, this, &SegmentedControl::userSelected);
}

int SegmentedControl::segmentCount() const {
    return static_cast<int>(group_->buttons().size());
}

void SegmentedControl::setSegmentCount(int count) {
    count = std::max(count, 0);
    while (segmentCount() > count) {
        QPushButton* last = segmentButton(segmentCount() - 1);
        group_->removeButton(last);
        delete last;
    }
    while (segmentCount() < count) {
        auto* button = new QPushButton(this);
        button->setCheckable(true);
        group_->addButton(button, segmentCount());
        layout_->addWidget(button);
    }
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
    }
}

int SegmentedControl::selectedSegment() const {
    return group_->checkedId() >= 0 ? group_->checkedId() : noSegment;
}

void SegmentedControl::setSelectedSegment(int segment) {
    if (QPushButton* button = segmentButton(segment)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; let go of it for a moment to clear it.
    if (QAbstractButton* checked = group_->checkedButton()) {
        group_->setExclusive(false);
        checked->setChecked(false);
        group_->setExclusive(true);
    }
}

QPushButton* SegmentedControl::segmentButton(int segment) const {
    return qobject_cast<QPushButton*>(group_->button(segment));
}

} // namespace platform
