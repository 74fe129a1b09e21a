#pragma once
// The content of a camera's control window, from the scene "UVCDeviceViewController": the image
// controls bound to the camera with their refresh cycle, the live preview and the keystroke
// profile and delay settings.

#include "device/UVCRangeControl.h"
#include "platform/widgets/SegmentedControl.h"
#include "platform/widgets/ViewController.h"
#include "rx/DisposeBag.h"
#include "rx/PublishRelay.h"
#include "rx/Unit.h"
#include "windows/UVCDeviceViewModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSize>
#include <QSlider>
#include <QTabWidget>

#include <chrono>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace windows {

// Outlets are connected by the scene; the view's set-up and the actions require every outlet
// they use, and viewModel set before the view loads.
class UVCDeviceViewController : public platform::ViewController {
    Q_OBJECT
    Q_PROPERTY(QLabel* titleLabel MEMBER titleLabel)
    Q_PROPERTY(platform::SegmentedControl* tabSegmentedControl MEMBER tabSegmentedControl)
    Q_PROPERTY(QTabWidget* tabView MEMBER tabView)
    Q_PROPERTY(QSlider* brightnessSlider MEMBER brightnessSlider)
    Q_PROPERTY(QSlider* contrastSlider MEMBER contrastSlider)
    Q_PROPERTY(QSlider* sharpnessSlider MEMBER sharpnessSlider)
    Q_PROPERTY(QSlider* saturationSlider MEMBER saturationSlider)
    Q_PROPERTY(QSlider* gammaSlider MEMBER gammaSlider)
    Q_PROPERTY(QSlider* hueSlider MEMBER hueSlider)
    Q_PROPERTY(QCheckBox* autoWhiteBalanceCheckbox MEMBER autoWhiteBalanceCheckbox)
    Q_PROPERTY(QSlider* whiteBalanceTempSlider MEMBER whiteBalanceTempSlider)
    Q_PROPERTY(platform::SegmentedControl* autoExposureModeSegmentedControl MEMBER
                   autoExposureModeSegmentedControl)
    Q_PROPERTY(QSlider* exposureTimeSlider MEMBER exposureTimeSlider)
    Q_PROPERTY(QSlider* gainSlider MEMBER gainSlider)
    Q_PROPERTY(QSlider* zoomSlider MEMBER zoomSlider)
    Q_PROPERTY(QSlider* panSlider MEMBER panSlider)
    Q_PROPERTY(QSlider* tiltSlider MEMBER tiltSlider)
    Q_PROPERTY(platform::SegmentedControl* backlightCompensationSegmentedControl MEMBER
                   backlightCompensationSegmentedControl)
    Q_PROPERTY(platform::SegmentedControl* powerLineFrequencySegmentedControl MEMBER
                   powerLineFrequencySegmentedControl)
    Q_PROPERTY(QCheckBox* autoFocusCheckbox MEMBER autoFocusCheckbox)
    Q_PROPERTY(QSlider* focalLengthSlider MEMBER focalLengthSlider)
    Q_PROPERTY(QPushButton* previewButton READ previewButton WRITE setPreviewButton)
    Q_PROPERTY(QWidget* previewView MEMBER previewView)
    Q_PROPERTY(QComboBox* KeystrokeComboBox MEMBER KeystrokeComboBox)
    Q_PROPERTY(QCheckBox* KeystrokeDelayCheckBox MEMBER KeystrokeDelayCheckBox)

public:
    static constexpr std::string_view viewModelMissing =
        "viewModel must be set before the view of UVCDeviceViewController loads";
    static constexpr const char* title = "VISTREL";
    static constexpr const char* unsupportedOptionKey = "Unsupported_Option";
    static constexpr const char* createInputFailedKey = "Create_Input_Failed";
    static constexpr std::string_view checkedLine = "Checkbox is checked";
    static constexpr std::string_view uncheckedLine = "Checkbox is unchecked";
    static constexpr const char* keystrokeSettingKey = "Keystroke_Setting";
    static constexpr const char* keystrokeDelayKey = "Keystroke_Delay";
    // The profile rows of KeystrokeComboBox, by index.
    static const std::vector<std::string>& keystrokeProfiles();
    // Stored when a window loads and no profile is set yet.
    static constexpr int defaultProfileIndex = 3;
    // Periodic refresh of the controls.
    static constexpr std::chrono::milliseconds refreshPeriod{1000};

    // The image of previewButton and the preferred content size for each preview mode.
    static const char* previewImage(UVCDeviceViewModel::Mode mode);
    static QSize contentSize(UVCDeviceViewModel::Mode mode);

    explicit UVCDeviceViewController(const platform::Coder& coder);
    ~UVCDeviceViewController() override;

    const std::shared_ptr<UVCDeviceViewModel>& viewModel() const;
    void setViewModel(std::shared_ptr<UVCDeviceViewModel> viewModel);

    QPushButton* previewButton() const;
    void setPreviewButton(QPushButton* button);

    // Actions: the scene names them "tabSegmentedControlAction:", "resetButtonAction:",
    // "previewButton:", "toggleKeyboardControl:" and "KeystrokeDelaycheckboxToggled:".
    Q_INVOKABLE void tabSegmentedControlAction(QObject* sender);
    Q_INVOKABLE void resetButtonAction(QObject* sender);
    Q_INVOKABLE void previewButton(QObject* sender);
    Q_INVOKABLE void toggleKeyboardControl(QObject* sender);
    Q_INVOKABLE void KeystrokeDelaycheckboxToggled(QObject* sender);

    // One refresh pass: eleven reads, controls moved to what the camera reports.
    Q_INVOKABLE void refreshAllValues();

    QPointer<QLabel> titleLabel;
    QPointer<platform::SegmentedControl> tabSegmentedControl;
    QPointer<QTabWidget> tabView;
    QPointer<QSlider> brightnessSlider;
    QPointer<QSlider> contrastSlider;
    QPointer<QSlider> sharpnessSlider;
    QPointer<QSlider> saturationSlider;
    QPointer<QSlider> gammaSlider;
    QPointer<QSlider> hueSlider;
    QPointer<QCheckBox> autoWhiteBalanceCheckbox;
    QPointer<QSlider> whiteBalanceTempSlider;
    QPointer<platform::SegmentedControl> autoExposureModeSegmentedControl;
    QPointer<QSlider> exposureTimeSlider;
    QPointer<QSlider> gainSlider;
    QPointer<QSlider> zoomSlider;
    QPointer<QSlider> panSlider;
    QPointer<QSlider> tiltSlider;
    QPointer<platform::SegmentedControl> backlightCompensationSegmentedControl;
    QPointer<platform::SegmentedControl> powerLineFrequencySegmentedControl;
    QPointer<QCheckBox> autoFocusCheckbox;
    QPointer<QSlider> focalLengthSlider;
    QPointer<QWidget> previewView;
    QPointer<QComboBox> KeystrokeComboBox;
    QPointer<QCheckBox> KeystrokeDelayCheckBox;

protected:
    void viewDidLoad() override;
    // The window opens with the focus on the page selector, never on a button that acts.
    void viewWillAppear() override;

private:
    using SliderEntry = std::pair<device::UVCRangeControl, QSlider*>;

    std::vector<SliderEntry> slidersForRangeControls() const;
    void setupPageKeys();
    void setupPreviewArea();
    void bindPreviewMode();
    void setupSliders();
    void setupCheckboxes();
    void setupSegmentedControls();
    void setupRefresh();
    void refreshSliders();
    void refreshCheckboxes();
    void refreshSegmentedControls();
    void restoreKeystrokeSettings();
    void showOptionError();
    void showCameraError();
    void showError(const char* key);

    QPointer<QPushButton> previewButtonControl;
    // Declared in reverse of their release: the bag ends every subscription first, then the
    // refresh relay and the view model go.
    std::shared_ptr<UVCDeviceViewModel> model;
    rx::PublishRelay<rx::Unit> forceRefresh;
    rx::DisposeBag disposeBag;
};

} // namespace windows
