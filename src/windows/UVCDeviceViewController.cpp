#include "windows/UVCDeviceViewController.h"

#include "platform/core/Bundle.h"
#include "platform/core/FatalError.h"
#include "platform/widgets/Alert.h"
#include "rx/Binder.h"

#include <QKeySequence>
#include <QShortcut>
#include <QTabBar>

namespace windows {

using Mode = UVCDeviceViewModel::Mode;

namespace {

// The preview area: black with rounded corners, drawn behind the picture.
constexpr const char* previewAreaStyle =
    "#previewView { background-color: black; border-radius: 8px; }";

// The keys that turn the pages, forward (1) and back (-1), last to first and round.
const struct {
    QKeySequence keys;
    int step;
} pageKeys[] = {
    {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
    {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
    {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
    {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
};

} // namespace

const char* UVCDeviceViewController::previewImage(Mode mode) {
    return mode == Mode::preview ? "preview_off" : "preview_on";
}

QSize UVCDeviceViewController::contentSize(Mode mode) {
    return mode == Mode::preview ? QSize(953, 450) : QSize(436, 450);
}

UVCDeviceViewController::UVCDeviceViewController(const platform::Coder& coder)
    : ViewController(coder) {}

// The dispose bag goes before the outlets and the view: no subscription outlives them.
UVCDeviceViewController::~UVCDeviceViewController() = default;

const std::shared_ptr<UVCDeviceViewModel>& UVCDeviceViewController::viewModel() const {
    return model;
}

void UVCDeviceViewController::setViewModel(std::shared_ptr<UVCDeviceViewModel> viewModel) {
    model = std::move(viewModel);
}

QPushButton* UVCDeviceViewController::previewButton() const {
    return previewButtonControl;
}

void UVCDeviceViewController::setPreviewButton(QPushButton* button) {
    previewButtonControl = button;
}

void UVCDeviceViewController::viewDidLoad() {
    ViewController::viewDidLoad();
    if (!model) {
        platform::fatalError(viewModelMissing);
    }
    titleLabel->setText(QString::fromLatin1(title));
    tabSegmentedControl->setSelectedSegment(0);
    tabView->setCurrentIndex(0);
    // Only the segmented control switches pages: the stack shows its frame but no tabs. The
    // hidden tab bar stays the tab view's focus proxy and must take no focus, or Tab would stop
    // at the tab view for ever instead of entering its page.
    tabView->tabBar()->hide();
    tabView->tabBar()->setFocusPolicy(Qt::NoFocus);
    // The page keys turn pages too: the selector follows.
    connect(tabView, &QTabWidget::currentChanged, tabSegmentedControl,
            &platform::SegmentedControl::setSelectedSegment);
    setupPageKeys();
    setupPreviewArea();
    bindPreviewMode();
    setupSliders();
    setupCheckboxes();
    setupSegmentedControls();
    setupRefresh();
    restoreKeystrokeSettings();
}

void UVCDeviceViewController::viewWillAppear() {
    ViewController::viewWillAppear();
    // The window is often opened from the keyboard, and a Return or Space that follows at once
    // must not reach Reset, which would write every default to the camera. The selector is
    // where Tab goes after the header.
    tabSegmentedControl->setFocus(Qt::OtherFocusReason);
}

void UVCDeviceViewController::setupPreviewArea() {
    previewView->setAttribute(Qt::WA_StyledBackground, true);
    previewView->setStyleSheet(QString::fromLatin1(previewAreaStyle));
}

void UVCDeviceViewController::bindPreviewMode() {
    const auto mode = model->mode().asObservable();
    mode.map([](Mode value) { return QString::fromLatin1(previewImage(value)); })
        .bind(rx::Binder<QString>(previewButtonControl.data(),
                                  [](QPushButton& button, const QString& name) {
                                      button.setIcon(platform::Bundle::main().image(name));
                                  }))
        .disposed(disposeBag);
    mode.map([](Mode value) { return contentSize(value); })
        .bind(rx::Binder<QSize>(this,
                                [](UVCDeviceViewController& controller, const QSize& size) {
                                    controller.setPreferredContentSize(size);
                                }))
        .disposed(disposeBag);
    // Squeezed to no width, the picture's native window would still show as a line of one
    // pixel: nothing of the preview area is shown while the preview is off.
    mode.map([](Mode value) { return value == Mode::preview; })
        .bind(rx::Binder<bool>(previewView.data(),
                               [](QWidget& area, const bool& shown) { area.setVisible(shown); }))
        .disposed(disposeBag);
}

void UVCDeviceViewController::setupPageKeys() {
    // The tab view alone turns pages on Ctrl+Tab only, and only while a control on a page has
    // the focus and lets the key through (a slider takes PageDown whatever the modifiers, and
    // moves): the window's own shortcuts turn them wherever the focus is.
    for (const auto& [keys, step] : pageKeys) {
        auto* shortcut = new QShortcut(keys, view()); // owned by the view
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] {
            const int pages = tabView->count();
            tabView->setCurrentIndex((tabView->currentIndex() + step + pages) % pages);
        });
    }
}

void UVCDeviceViewController::tabSegmentedControlAction(QObject* sender) {
    auto* control = qobject_cast<platform::SegmentedControl*>(sender);
    tabView->setCurrentIndex(control->selectedSegment());
}

void UVCDeviceViewController::previewButton(QObject* /*sender*/) {
    const std::shared_ptr<platform::PreviewLayer> layer = model->previewLayer();
    if (layer == nullptr) {
        showCameraError();
        return;
    }
    if (layer->superview() != previewView) {
        layer->setAutoresizingMask(platform::PreviewLayer::widthSizable |
                                   platform::PreviewLayer::heightSizable);
        layer->setFrame(previewView->rect());
        layer->addTo(previewView);
    }
    model->togglePreview();
}

void UVCDeviceViewController::showOptionError() {
    showError(unsupportedOptionKey);
}

void UVCDeviceViewController::showCameraError() {
    showError(createInputFailedKey);
}

void UVCDeviceViewController::showError(const char* key) {
    QWidget* shownIn = window();
    if (shownIn == nullptr) {
        return;
    }
    platform::Alert alert;
    alert.setAlertStyle(platform::Alert::Style::critical);
    alert.setMessageText(platform::Bundle::main().localizedString(QString::fromLatin1(key)));
    alert.setInformativeText(QString());
    alert.beginSheetModal(shownIn);
}

} // namespace windows
