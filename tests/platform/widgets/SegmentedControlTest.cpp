#include "platform/widgets/SegmentedControl.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace platform {

namespace {

class SegmentedControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        control.setLabels({"Manual", "Auto", "Shutter", "Aperture"});
        control.show();
    }
    void click(int segment) {
        QTest::mouseClick(control.findChildren<QPushButton*>().at(segment), Qt::LeftButton);
    }

    SegmentedControl control;
    QSignalSpy userSelected{&control, &SegmentedControl::userSelected};
};

} // namespace

TEST_F(SegmentedControlTest, OnlyUserClicksAreReportedWithTheClickedSegment) {
    control.setSelectedSegment(1);
    control.setSelectedSegment(-1);
    EXPECT_EQ(userSelected.count(), 0);

    click(2);
    click(2);

    ASSERT_EQ(userSelected.count(), 2);
    EXPECT_EQ(userSelected.at(1).at(0).toInt(), 2);
    EXPECT_EQ(control.selectedSegment(), 2);
}

TEST_F(SegmentedControlTest, DisabledSegmentsAndADisabledControlIgnoreClicks) {
    control.setEnabledForSegment(false, 1);
    click(1);
    control.setEnabled(false);
    click(0);

    EXPECT_EQ(userSelected.count(), 0);
    EXPECT_FALSE(control.isEnabledForSegment(1));
    EXPECT_TRUE(control.isEnabledForSegment(0));
}

TEST_F(SegmentedControlTest, NoSelectionReadsMinusOneAlsoWhenTheSelectedSegmentGoes) {
    EXPECT_EQ(control.selectedSegment(), -1);
    control.setSelectedSegment(3);
    EXPECT_EQ(control.selectedSegment(), 3);
    control.setSelectedSegment(4);
    EXPECT_EQ(control.selectedSegment(), -1);

    control.setSelectedSegment(3);
    control.setSegmentCount(3);

    EXPECT_EQ(control.selectedSegment(), -1);
    EXPECT_EQ(control.labels(), (QStringList{"Manual", "Auto", "Shutter"}));
}

} // namespace platform
