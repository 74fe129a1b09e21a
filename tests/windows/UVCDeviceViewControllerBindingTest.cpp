#include "windows/UVCDeviceViewController.h"

#include "ControlWindowTest.h"
#include "windows/Storyboard.h"
#include "windows/StoryboardInstantiable.h"
#include "windows/UVCDeviceViewModel.h"

#include <QPushButton>
#include <QSlider>

namespace windows {

TEST_F(ControlWindowTest, AnExposureModeClickWritesOnceThenRefreshesEverything) {
    openWindow();
    auto* modes = view().autoExposureModeSegmentedControl.data();
    click(modes->findChildren<QPushButton*>().at(0));

    const auto sent = writes();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].unit(), ct);
    EXPECT_EQ(sent[0].selector(), 0x02);
    EXPECT_EQ(sent[0].data, std::vector<uint8_t>{0x01}) << "manual";
    EXPECT_EQ(reads().size(), 11u);
    EXPECT_EQ(modes->selectedSegment(), 0);
}

TEST_F(ControlWindowTest, ACheckBoxWhoseStateCouldNotBeReadAtLoadStaysDisabled) {
    // The automatic white balance unreadable at load only, or for good.
    for (const bool once : {true, false}) {
        SCOPED_TRACE(once);
        camera.clearFaults();
        camera.inject(sim::Fault{.kind = sim::FaultKind::stall,
                                 .once = once,
                                 .bRequest = 0x81,
                                 .unit = pu,
                                 .selector = 0x0B});
        openWindow();
        QCheckBox* box = view().autoWhiteBalanceCheckbox;
        view().refreshAllValues();
        EXPECT_FALSE(box->isEnabled());
        // The simulated camera has it on: a later read shows it, an unreadable one leaves it off.
        EXPECT_EQ(box->isChecked(), once);
    }
}

TEST_F(ControlWindowTest, ADependentSliderWithASingleValueKeepsTheLayoutsEnabledState) {
    // Automatic white balance and aperture priority would disable all three.
    const struct {
        const char* outlet;
        uint8_t unit;
        uint8_t selector;
    } cases[] = {
        {"whiteBalanceTempSlider", pu, 0x0A},
        {"exposureTimeSlider", ct, 0x04},
        {"gainSlider", pu, 0x04},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.outlet);
        sim::Control control = camera.control(entry.unit, entry.selector);
        control.max = control.min;
        camera.setControl(entry.unit, entry.selector, control);
        openWindow();
        auto* slider = qvariant_cast<QSlider*>(view().property(entry.outlet));
        view().refreshAllValues();
        EXPECT_EQ(slider->maximum(), slider->minimum());
        EXPECT_TRUE(slider->hasTracking());
        EXPECT_TRUE(slider->isEnabled());
    }
}

TEST_F(ControlWindowTest, AnExposureModeThatIsNoneOfTheFourChangesNothing) {
    openWindow();
    camera.setCurrent(ct, 0x02, {0x01}); // manual: both sliders enabled
    view().refreshAllValues();
    camera.setCurrent(ct, 0x02, {0x10});
    view().refreshAllValues();
    EXPECT_EQ(view().autoExposureModeSegmentedControl->selectedSegment(), 0);
    EXPECT_TRUE(view().exposureTimeSlider->isEnabled());
    EXPECT_TRUE(view().gainSlider->isEnabled());
}

// The camera's exposure-mode range is 0 to 3: a layout with a fifth segment has it disabled.
TEST_F(ControlWindowTest, OnlyTheSegmentsOfModesInTheCamerasRangeAreEnabled) {
    const auto content =
        StoryboardInstantiable<UVCDeviceViewController>::instantiate(Storyboard::main());
    content->setViewModel(std::make_shared<UVCDeviceViewModel>(
        platform::CaptureDevice(QStringLiteral("VISTREL"), QStringLiteral("0c456366"),
                                QStringLiteral("/dev/video0")),
        device));
    content->autoExposureModeSegmentedControl->setSegmentCount(5);
    content->view();
    const platform::SegmentedControl& modes = *content->autoExposureModeSegmentedControl;
    for (int segment = 0; segment < 5; ++segment) {
        EXPECT_EQ(modes.isEnabledForSegment(segment), segment < 4) << segment;
    }
}

} // namespace windows
