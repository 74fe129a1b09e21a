#pragma once
// A row of exclusive push buttons, one per segment, of which at most one is selected. From the
// keyboard it is one stop of the Tab chain, at the selected segment; the arrow keys select the
// neighbouring segment as a click on it would. Focus given to the control goes to that stop.

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStringList>
#include <QWidget>

namespace platform {

class SegmentedControl : public QWidget {
    Q_OBJECT
    // Setting the labels also sets the segment count; a scene describes its segments this way.
    Q_PROPERTY(QStringList labels READ labels WRITE setLabels)
    Q_PROPERTY(int segmentCount READ segmentCount WRITE setSegmentCount)
    Q_PROPERTY(int selectedSegment READ selectedSegment WRITE setSelectedSegment)

public:
    // Index of the selected segment when none is selected.
    static constexpr int noSegment = -1;

    explicit SegmentedControl(QWidget* parent = nullptr);

    int segmentCount() const;
    void setSegmentCount(int count);

    QString label(int segment) const;
    void setLabel(const QString& label, int segment);
    QStringList labels() const;
    void setLabels(const QStringList& labels);

    bool isEnabledForSegment(int segment) const;
    void setEnabledForSegment(bool enabled, int segment);

    // noSegment when no segment is selected. Setting an index outside the segments selects
    // none. Setting it never emits userSelected.
    int selectedSegment() const;
    void setSelectedSegment(int segment);

signals:
    // The user clicked a segment; it is selected now.
    void userSelected(int segment);

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void updateTabStops();
    QPushButton* segmentButton(int segment) const;

    QHBoxLayout* segmentLayout;
    QButtonGroup* buttonGroup;
};

} // namespace platform
