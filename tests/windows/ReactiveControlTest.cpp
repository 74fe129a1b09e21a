#include "rx/CurrentThreadScheduler.h"
#include "rx/Recorder.h"
#include "windows/ReactiveCheckBox.h"
#include "windows/ReactiveSegmentedControl.h"
#include "windows/ReactiveSlider.h"

#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace windows {

namespace {

using Ints = std::vector<int>;
using Bools = std::vector<bool>;

QPoint sliderHandleCentre(QSlider& slider) {
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = slider.sliderPosition();
    option.sliderValue = slider.value();
    option.subControls = QStyle::SC_All;
    return slider.style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider)
        .center();
}

void clickIndicator(QCheckBox& box) {
    QStyleOptionButton option;
    option.initFrom(&box);
    QRect indicator = box.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &box);
    QTest::mouseClick(&box, Qt::LeftButton, {}, indicator.center());
}

class ReactiveControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(400, 200);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QWidget window;
};

} // namespace

TEST_F(ReactiveControlTest, SliderYieldsThePositionOfEachUserMoveAndNothingForCodeSetValues) {
    QSlider slider(Qt::Horizontal, &window);
    slider.setGeometry(0, 0, 300, 30);
    slider.setRange(0, 100);
    slider.setValue(30);
    rx::Recorder<int> recorder;
    auto subscription = recorder.subscribe(reactive(&slider).selectIntegerValue());
    EXPECT_TRUE(recorder.elements.empty());

    slider.setValue(60);
    QTest::keyClick(&slider, Qt::Key_Right);
    QTest::keyClick(&slider, Qt::Key_Home);
    EXPECT_EQ(recorder.elements, (Ints{61, 0}));

    // A drag, read at each step while the handle moves, and once more for a value set in code
    // while the handle is held.
    recorder.elements.clear();
    QPoint handle = sliderHandleCentre(slider);
    QTest::mousePress(&slider, Qt::LeftButton, {}, handle);
    Ints seen;
    for (int step = 1; step <= 3; ++step) {
        QTest::mouseMove(&slider, handle + QPoint(40 * step, 0));
        seen.push_back(slider.value());
    }
    slider.setValue(90);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, handle + QPoint(120, 0));
    EXPECT_GT(seen.back(), seen.front());
    EXPECT_EQ(recorder.elements, seen);
}

TEST_F(ReactiveControlTest, CheckBoxYieldsTrueOnlyWhenAUserClickLeavesItChecked) {
    QCheckBox box(QStringLiteral("Auto"), &window);
    box.setTristate(true);
    box.adjustSize();
    rx::Recorder<bool> recorder;
    auto subscription = recorder.subscribe(reactive(&box).toggle());
    EXPECT_TRUE(recorder.elements.empty());

    box.setChecked(true);
    box.setCheckState(Qt::Unchecked);
    clickIndicator(box);
    ASSERT_EQ(box.checkState(), Qt::PartiallyChecked);
    clickIndicator(box);
    clickIndicator(box);
    EXPECT_EQ(box.checkState(), Qt::Unchecked);
    EXPECT_EQ(recorder.elements, (Bools{false, true, false}));
}

TEST_F(ReactiveControlTest, SegmentedControlYieldsTheSelectionWhenTheClickArrives) {
    platform::SegmentedControl control(&window);
    control.setLabels({"M", "A", "S", "P"});
    control.adjustSize();
    auto segments = control.findChildren<QPushButton*>();
    ASSERT_EQ(segments.size(), 4);
    rx::Recorder<int> recorder;
    auto subscription = recorder.subscribe(reactive(&control).select());
    EXPECT_TRUE(recorder.elements.empty());

    control.setSelectedSegment(1);
    QTest::mouseClick(segments[2], Qt::LeftButton);
    EXPECT_EQ(recorder.elements, Ints{2});

    // A receiver ahead of a new subscription clears the selection before the click is read.
    subscription.dispose();
    QObject::connect(&control, &platform::SegmentedControl::userSelected, &control, [&control] {
        control.setSelectedSegment(platform::SegmentedControl::noSegment);
    });
    subscription = recorder.subscribe(reactive(&control).select());
    QTest::mouseClick(segments[0], Qt::LeftButton);
    EXPECT_EQ(recorder.elements, (Ints{2, -1}));
}

TEST_F(ReactiveControlTest, AStreamOfAControlThatIsGoneCompletesOnSubscribing) {
    auto slider = std::make_unique<QSlider>(&window);
    auto face = reactive(slider.get());
    slider.reset();
    rx::Recorder<int> recorder;
    auto subscription = recorder.subscribe(face.selectIntegerValue());
    EXPECT_TRUE(recorder.completed);
}

} // namespace windows
