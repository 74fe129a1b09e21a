#include "windows/UVCDeviceViewController.h"

#include "ControlWindowTest.h"
#include "platform/core/Bundle.h"

#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <ostream>
#include <string>
#include <tuple>
#include <utility>

namespace windows {

namespace {

using Mode = UVCDeviceViewModel::Mode;
using device::UVCRangeControl;

struct SliderCase {
    const char* outlet;
    UVCRangeControl control;
    uint8_t unit;
    uint8_t selector;
};

const SliderCase sliderCases[] = {
    {"brightnessSlider", UVCRangeControl::brightness, 2, 0x02},
    {"contrastSlider", UVCRangeControl::contrast, 2, 0x03},
    {"sharpnessSlider", UVCRangeControl::sharpness, 2, 0x08},
    {"saturationSlider", UVCRangeControl::saturation, 2, 0x07},
    {"gammaSlider", UVCRangeControl::gamma, 2, 0x09},
    {"hueSlider", UVCRangeControl::hue, 2, 0x06},
    {"whiteBalanceTempSlider", UVCRangeControl::whiteBalance, 2, 0x0A},
    {"exposureTimeSlider", UVCRangeControl::exposureTime, 1, 0x04},
    {"gainSlider", UVCRangeControl::gain, 2, 0x04},
};

// The ways a camera leaves a control without a range, each made on the control's unit and
// selector before the window opens.
struct NoRangeCase {
    const char* name;
    void (*arrange)(sim::SimulatedCamera& camera, uint8_t unit, uint8_t selector);
};

const NoRangeCase noRangeCases[] = {
    {"MinimumStalls",
     [](sim::SimulatedCamera& camera, uint8_t unit, uint8_t selector) {
         camera.inject(sim::Fault{
             .kind = sim::FaultKind::stall, .bRequest = 0x82, .unit = unit, .selector = selector});
     }},
    {"MaximumBelowMinimum",
     [](sim::SimulatedCamera& camera, uint8_t unit, uint8_t selector) {
         sim::Control control = camera.control(unit, selector);
         std::swap(control.min, control.max);
         camera.setControl(unit, selector, std::move(control));
     }},
};

void PrintTo(const SliderCase& slider, std::ostream* out) {
    *out << slider.outlet;
}

void PrintTo(const NoRangeCase& cause, std::ostream* out) {
    *out << cause.name;
}

QSlider* sliderNamed(const UVCDeviceViewController& view, const char* outlet) {
    return qvariant_cast<QSlider*>(view.property(outlet));
}

int64_t littleEndian(const std::vector<uint8_t>& bytes) {
    int64_t value = 0;
    for (size_t index = bytes.size(); index-- > 0;) {
        value = (value << 8) | bytes[index];
    }
    return value;
}

bool sameImage(const QIcon& shown, const char* asset) {
    const QIcon expected = platform::Bundle::main().image(QString::fromLatin1(asset));
    return shown.pixmap(24).toImage() == expected.pixmap(24).toImage();
}

QMessageBox* sheetOf(QWidget* window) {
    const auto boxes = window->findChildren<QMessageBox*>();
    return boxes.isEmpty() ? nullptr : boxes.back();
}

template <typename... Case> class ManualCameraTest : public RoutedTest<Case...> {
protected:
    // Manual exposure and white balance, so that every slider takes clicks.
    ManualCameraTest() {
        this->camera.setCurrent(this->ct, 0x02, {0x01});
        this->camera.setCurrent(this->pu, 0x0B, {0x00});
    }
};

using SliderTest = ManualCameraTest<SliderCase>;
using NoRangeSliderTest = ManualCameraTest<SliderCase, NoRangeCase>;
// The window's rules that hold whichever way the requests reach the camera.
using ControlWindowRouteTest = RoutedTest<>;

std::string sliderAndCauseName(const ::testing::TestParamInfo<NoRangeSliderTest::ParamType>& info) {
    return std::string(std::get<SliderCase>(info.param).outlet) + "_" +
           std::get<NoRangeCase>(info.param).name + routeSuffix(info.param);
}

std::string routeName(const ::testing::TestParamInfo<ControlWindowRouteTest::ParamType>& info) {
    return routeSuffix(info.param).substr(1);
}

} // namespace

TEST_P(ControlWindowRouteTest, LoadShowsTheTitleFirstPagePreviewOffAndTheCameraRanges) {
    openWindow();
    auto& shown = view();

    EXPECT_EQ(shown.titleLabel->text(), "VISTREL");
    EXPECT_EQ(shown.tabSegmentedControl->selectedSegment(), 0);
    EXPECT_EQ(shown.tabView->currentIndex(), 0);
    EXPECT_TRUE(sameImage(shown.previewButton()->icon(), "preview_on"));
    EXPECT_EQ(shown.preferredContentSize(), QSize(436, 450));
    EXPECT_EQ(controller->window()->size(), QSize(436, 450));
    EXPECT_EQ(shown.brightnessSlider->minimum(), -64);
    EXPECT_EQ(shown.brightnessSlider->maximum(), 64);
    EXPECT_EQ(shown.exposureTimeSlider->maximum(), 10000);
    // The simulated camera starts in aperture priority with automatic white balance.
    EXPECT_EQ(shown.autoExposureModeSegmentedControl->selectedSegment(), 3);
    EXPECT_TRUE(shown.autoWhiteBalanceCheckbox->isChecked());
    EXPECT_FALSE(shown.whiteBalanceTempSlider->isEnabled());
    // The page "More" reads and writes nothing, so none of its controls seems to act.
    for (QWidget* control : std::initializer_list<QWidget*>{
             shown.zoomSlider, shown.panSlider, shown.tiltSlider, shown.focalLengthSlider,
             shown.backlightCompensationSegmentedControl, shown.powerLineFrequencySegmentedControl,
             shown.autoFocusCheckbox}) {
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    }
}

TEST_P(SliderTest, AClickOnTheGrooveIsOneWriteOfTheNewValue) {
    openWindow();
    QSlider* slider = sliderNamed(view(), testCase().outlet);
    ASSERT_TRUE(slider->isEnabled());

    clickSlider(slider, 0.75);

    const auto sent = writes();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].route, route);
    EXPECT_EQ(sent[0].unit(), testCase().unit);
    EXPECT_EQ(sent[0].selector(), testCase().selector);
    EXPECT_EQ(littleEndian(sent[0].data), slider->value());
    EXPECT_GT(slider->value(), (slider->minimum() + slider->maximum()) / 2);
}

INSTANTIATE_TEST_SUITE_P(EverySlider, SliderTest,
                         ::testing::Combine(::testing::ValuesIn(sliderCases), bothRoutes),
                         [](const auto& info) {
                             return std::get<SliderCase>(info.param).outlet +
                                    routeSuffix(info.param);
                         });

TEST_P(NoRangeSliderTest, AControlWithoutRangeStaysDisabledAtZeroAndSendsNothing) {
    const auto& [slider, cause, via] = GetParam();
    replugChanged([&](sim::SimulatedCamera& changed) {
        cause.arrange(changed, slider.unit, slider.selector);
    });
    openWindow();
    QSlider* shown = sliderNamed(view(), slider.outlet);
    view().refreshAllValues();
    clickSlider(shown, 0.75);
    // A move the slider reports whether or not it is enabled: only a subscription would write.
    shown->triggerAction(QAbstractSlider::SliderPageStepAdd);

    EXPECT_EQ(shown->minimum(), 0);
    EXPECT_EQ(shown->maximum(), 0);
    EXPECT_FALSE(shown->isEnabled());
    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(view().viewModel()->getRange(slider.control), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(EverySliderAndCause, NoRangeSliderTest,
                         ::testing::Combine(::testing::ValuesIn(sliderCases),
                                            ::testing::ValuesIn(noRangeCases), bothRoutes),
                         sliderAndCauseName);

TEST_P(ControlWindowRouteTest, ARefreshMovesOnlySlidersThatDifferAndWritesNothing) {
    openWindow();
    auto& shown = view();
    QSignalSpy brightnessMoves(shown.brightnessSlider.data(), &QSlider::valueChanged);
    QSignalSpy contrastMoves(shown.contrastSlider.data(), &QSlider::valueChanged);
    camera.setCurrent(pu, 0x02, {0x0A, 0x00});

    shown.refreshAllValues();

    EXPECT_EQ(shown.brightnessSlider->value(), 10);
    EXPECT_EQ(brightnessMoves.size(), 1);
    EXPECT_EQ(contrastMoves.size(), 0);
    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(reads().size(), 11u);
}

struct ExposureModeCase {
    uint8_t modeByte;
    int segment;
    bool exposureTimeEnabled;
    bool gainEnabled;
};

void PrintTo(const ExposureModeCase& mode, std::ostream* out) {
    *out << "mode 0x" << std::hex << int{mode.modeByte} << std::dec << ", segment " << mode.segment;
}

using ExposureModeTest = RoutedTest<ExposureModeCase>;

TEST_P(ExposureModeTest, TheModeSelectsItsSegmentAndEnablesTheDependentSliders) {
    openWindow();
    camera.setCurrent(ct, 0x02, {testCase().modeByte});
    view().refreshAllValues();

    EXPECT_EQ(view().autoExposureModeSegmentedControl->selectedSegment(), testCase().segment);
    EXPECT_EQ(view().exposureTimeSlider->isEnabled(), testCase().exposureTimeEnabled);
    EXPECT_EQ(view().gainSlider->isEnabled(), testCase().gainEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    EveryMode, ExposureModeTest,
    ::testing::Combine(::testing::Values(ExposureModeCase{0x01, 0, true, true},
                                         ExposureModeCase{0x02, 1, false, false},
                                         ExposureModeCase{0x04, 2, true, false},
                                         ExposureModeCase{0x08, 3, false, false}),
                       bothRoutes),
    [](const auto& info) {
        return "Segment" + std::to_string(std::get<ExposureModeCase>(info.param).segment) +
               routeSuffix(info.param);
    });

using WhiteBalanceTest = RoutedTest<bool>;

TEST_P(WhiteBalanceTest, TheAutomaticStateSetsTheBoxAndDisablesTheSliderWhileOn) {
    openWindow();
    camera.setCurrent(pu, 0x0B, {static_cast<uint8_t>(testCase())});
    view().refreshAllValues();

    EXPECT_EQ(view().autoWhiteBalanceCheckbox->isChecked(), testCase());
    EXPECT_EQ(view().whiteBalanceTempSlider->isEnabled(), !testCase());
}

INSTANTIATE_TEST_SUITE_P(OnAndOff, WhiteBalanceTest,
                         ::testing::Combine(::testing::Bool(), bothRoutes), [](const auto& info) {
                             return (std::get<bool>(info.param) ? "On" : "Off") +
                                    routeSuffix(info.param);
                         });

TEST_P(ControlWindowRouteTest, ClickingTheCheckBoxWritesOnceThenRefreshesEverything) {
    openWindow();
    click(view().autoWhiteBalanceCheckbox);

    const auto sent = writes();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].route, route);
    EXPECT_EQ(sent[0].selector(), 0x0B);
    EXPECT_EQ(sent[0].data, std::vector<uint8_t>{0x00});
    // The driver reads the byte of a one-bit switch before it writes it.
    EXPECT_EQ(readsAfterLastWrite().size(), 11u);
    EXPECT_TRUE(view().whiteBalanceTempSlider->isEnabled());
}

TEST_P(ControlWindowRouteTest, ARefusedExposureModeShowsTheSheetAndTheCameraModeReturns) {
    openWindow();
    camera.inject(
        sim::Fault{.kind = sim::FaultKind::stall, .bRequest = 0x01, .unit = ct, .selector = 0x02});
    auto* segments = view().autoExposureModeSegmentedControl.data();
    click(segments->findChildren<QPushButton*>().at(0));

    QMessageBox* sheet = sheetOf(controller->window());
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->text(), "Unsupported_Option");
    EXPECT_EQ(sheet->icon(), QMessageBox::Critical);
    EXPECT_EQ(segments->selectedSegment(), 3);
    EXPECT_EQ(readsAfterLastWrite().size(), 11u);
}

TEST_P(ControlWindowRouteTest, ResetIsOneResetOfTheCameraThenOneRefresh) {
    openWindow();
    camera.setCurrent(pu, 0x02, {0x20, 0x00});
    view().refreshAllValues();
    camera.clearTransfers();

    click(controller->window()->findChild<QPushButton*>(QStringLiteral("resetButton")));

    const auto all = camera.transfers();
    const auto lastWrite = std::find_if(all.rbegin(), all.rend(), [](const auto& transfer) {
        return transfer.bmRequestType == 0x21;
    });
    ASSERT_NE(lastWrite, all.rend());
    const auto refresh = std::count_if(all.rbegin(), lastWrite, [](const auto& transfer) {
        return transfer.bmRequestType == 0xA1 && transfer.bRequest == 0x81;
    });
    // Through the driver the reset's second writes of exposure time and temperature, refused
    // again under the automatic modes it restored, each read their mode first.
    EXPECT_EQ(refresh, route == Route::videoNode ? 13 : 11);
    EXPECT_EQ(view().brightnessSlider->value(), 0);
}

INSTANTIATE_TEST_SUITE_P(Routes, ControlWindowRouteTest, ::testing::Combine(bothRoutes), routeName);

TEST_F(ControlWindowTest, TheRefreshRunsEverySecondOnTheLoopAndEndsWithTheController) {
    openWindow();
    QTimer* ticker = nullptr;
    for (QTimer* timer : qApp->findChildren<QTimer*>(Qt::FindDirectChildrenOnly)) {
        if (timer->isActive() && timer->interval() == 1000) {
            EXPECT_EQ(ticker, nullptr) << "one refresh timer";
            ticker = timer;
        }
    }
    ASSERT_NE(ticker, nullptr);
    QSignalSpy ticks(ticker, &QTimer::timeout);
    ASSERT_TRUE(ticks.wait(3000));
    EXPECT_EQ(reads().size(), 11u);

    QPointer<QTimer> watched(ticker);
    controller.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    camera.clearTransfers();
    QTest::qWait(1200);
    EXPECT_TRUE(watched.isNull() || !watched->isActive());
    EXPECT_TRUE(camera.transfers().empty());
}

TEST_F(ControlWindowTest, ThePreviewButtonAttachesOneLayerAndTogglesImageAndSize) {
    platform::CaptureBackend::setShared(backend);
    openWindow();
    auto& shown = view();

    for (int press = 1; press <= 3; ++press) {
        SCOPED_TRACE(press);
        click(shown.previewButton());
        const bool on = press % 2 == 1;
        EXPECT_TRUE(sameImage(shown.previewButton()->icon(), on ? "preview_off" : "preview_on"));
        EXPECT_EQ(shown.preferredContentSize(), on ? QSize(953, 450) : QSize(436, 450));
        EXPECT_EQ(controller->window()->width(), on ? 953 : 436);
        ASSERT_EQ(shown.previewView->findChildren<QVideoWidget*>().size(), 1);
        // Squeezed to no width, a visible picture still shows as a line at the window's edge.
        EXPECT_EQ(shown.previewView->findChildren<QVideoWidget*>()[0]->isVisible(), on);
    }
    ASSERT_EQ(backend->records.size(), 1u);
    EXPECT_EQ(backend->records[0]->starts, 2);
    EXPECT_EQ(backend->records[0]->stops, 1);
    EXPECT_TRUE(writes().empty());
}

TEST_F(ControlWindowTest, WithoutACameraInputEveryPressShowsTheSheetAndThePreviewStaysOff) {
    openWindow();
    for (int press = 1; press <= 2; ++press) {
        click(view().previewButton());
        QMessageBox* sheet = sheetOf(controller->window());
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->text(), "Create_Input_Failed");
        sheet->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(view().viewModel()->mode().value(), Mode::normal);
    EXPECT_EQ(view().preferredContentSize(), QSize(436, 450));
}

class TabTest : public ControlWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(TabTest, ClickingASegmentShowsItsPage) {
    openWindow();
    click(view().tabSegmentedControl->findChildren<QPushButton*>().at(GetParam()));
    EXPECT_EQ(view().tabView->currentIndex(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(EveryPage, TabTest, ::testing::Range(0, 4),
                         [](const auto& info) { return "Page" + std::to_string(info.param); });

} // namespace windows
