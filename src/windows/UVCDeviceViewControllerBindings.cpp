// The image controls of UVCDeviceViewController: set-up from the camera, one write per user
// action, and the refresh cycle that reads the camera back into the controls.
#include "windows/UVCDeviceViewController.h"

#include "rx/CurrentThreadScheduler.h"
#include "rx/MainScheduler.h"
#include "rx/Observable.h"
#include "windows/MapToVoid.h"
#include "windows/ReactiveCheckBox.h"
#include "windows/ReactiveSegmentedControl.h"
#include "windows/ReactiveSlider.h"

#include <algorithm>
#include <limits>

namespace windows {

using device::UVCRangeControl;
using device::UVCStateControl;

namespace {

// A QSlider holds int: a wider camera range (exposure time may reach 2^32 - 1) is cut to it.
int toSliderValue(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

// The enabling rules act only on sliders with more than one value.
bool hasSeveralValues(const QSlider& slider) {
    return static_cast<int64_t>(slider.maximum()) - slider.minimum() + 1 > 1;
}

void enableIfSeveralValues(QSlider& slider, bool enabled) {
    if (hasSeveralValues(slider)) {
        slider.setEnabled(enabled);
    }
}

} // namespace

std::vector<UVCDeviceViewController::SliderEntry>
UVCDeviceViewController::slidersForRangeControls() const {
    return {
        {UVCRangeControl::brightness, brightnessSlider},
        {UVCRangeControl::contrast, contrastSlider},
        {UVCRangeControl::sharpness, sharpnessSlider},
        {UVCRangeControl::saturation, saturationSlider},
        {UVCRangeControl::gamma, gammaSlider},
        {UVCRangeControl::hue, hueSlider},
        {UVCRangeControl::whiteBalance, whiteBalanceTempSlider},
        {UVCRangeControl::exposureTime, exposureTimeSlider},
        {UVCRangeControl::gain, gainSlider},
    };
}

void UVCDeviceViewController::setupSliders() {
    for (const auto& [control, slider] : slidersForRangeControls()) {
        const std::optional<UVCDeviceViewModel::Range> range = model->getRange(control);
        if (!range) {
            slider->setMinimum(0);
            slider->setMaximum(0);
            slider->setEnabled(false);
            continue;
        }
        slider->setTracking(true);
        slider->setMinimum(toSliderValue(range->lowerBound));
        slider->setMaximum(toSliderValue(range->upperBound));
        reactive(slider)
            .selectIntegerValue()
            .subscribe([self = QPointer(this), control](const int& value) {
                if (self) {
                    self->model->setValue(value, control);
                }
            })
            .disposed(disposeBag);
    }
}

void UVCDeviceViewController::setupCheckboxes() {
    const UVCStateControl control = UVCStateControl::autoWhiteBalanceTemp;
    const std::optional<bool> state = model->getState(control);
    if (!state) {
        autoWhiteBalanceCheckbox->setChecked(false);
        autoWhiteBalanceCheckbox->setEnabled(false);
        return;
    }
    autoWhiteBalanceCheckbox->setChecked(*state);
    reactive(autoWhiteBalanceCheckbox.data())
        .toggle()
        .subscribe([self = QPointer(this), control](const bool& on) {
            if (self) {
                self->model->setState(on, control);
                self->forceRefresh.accept(rx::Unit{});
            }
        })
        .disposed(disposeBag);
}

void UVCDeviceViewController::setupSegmentedControls() {
    const UVCRangeControl control = UVCRangeControl::autoExposureMode;
    platform::SegmentedControl& modes = *autoExposureModeSegmentedControl;
    const std::optional<UVCDeviceViewModel::Range> range = model->getRange(control);
    if (!range) {
        modes.setSelectedSegment(platform::SegmentedControl::noSegment);
        modes.setEnabled(false);
        return;
    }
    for (int segment = 0; segment < modes.segmentCount(); ++segment) {
        modes.setEnabledForSegment(range->lowerBound <= segment && segment <= range->upperBound,
                                   segment);
    }
    reactive(&modes)
        .select()
        .subscribe([self = QPointer(this), control](const int& index) {
            if (!self) {
                return;
            }
            if (!self->model->setValue(index, control)) {
                self->showOptionError();
            }
            self->forceRefresh.accept(rx::Unit{});
        })
        .disposed(disposeBag);
}

void UVCDeviceViewController::setupRefresh() {
    const auto ticks =
        mapToVoid(rx::Observable<int>::interval(refreshPeriod, rx::MainScheduler::instance()))
            .startWith(rx::Unit{});
    rx::Observable<rx::Observable<rx::Unit>>::of({ticks, forceRefresh.asObservable()},
                                                 rx::CurrentThreadScheduler::instance())
        .merge()
        .subscribe([self = QPointer(this)](const rx::Unit&) {
            if (self) {
                self->refreshAllValues();
            }
        })
        .disposed(disposeBag);
}

void UVCDeviceViewController::refreshAllValues() {
    refreshSliders();
    refreshCheckboxes();
    refreshSegmentedControls();
}

void UVCDeviceViewController::refreshSliders() {
    for (const auto& [control, slider] : slidersForRangeControls()) {
        const std::optional<int64_t> value = model->getValue(control);
        if (value && slider->value() != toSliderValue(*value)) {
            slider->setValue(toSliderValue(*value));
        }
    }
}

void UVCDeviceViewController::refreshCheckboxes() {
    const std::optional<bool> state = model->getState(UVCStateControl::autoWhiteBalanceTemp);
    if (!state) {
        return;
    }
    autoWhiteBalanceCheckbox->setChecked(*state);
    enableIfSeveralValues(*whiteBalanceTempSlider, !*state);
}

void UVCDeviceViewController::refreshSegmentedControls() {
    const std::optional<int64_t> index = model->getValue(UVCRangeControl::autoExposureMode);
    if (!index) {
        return;
    }
    platform::SegmentedControl& modes = *autoExposureModeSegmentedControl;
    const bool selectable = 0 <= *index && *index < modes.segmentCount();
    modes.setSelectedSegment(selectable ? static_cast<int>(*index)
                                        : platform::SegmentedControl::noSegment);
    enableIfSeveralValues(*exposureTimeSlider, *index == 0 || *index == 2);
    enableIfSeveralValues(*gainSlider, *index == 0);
}

void UVCDeviceViewController::resetButtonAction(QObject* /*sender*/) {
    model->resetToDefault();
    forceRefresh.accept(rx::Unit{});
}

} // namespace windows
