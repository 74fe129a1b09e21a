#include "windows/UVCDeviceWindowController.h"

#include "platform/core/FatalError.h"
#include "platform/widgets/Fade.h"
#include "platform/widgets/WindowPlacement.h"
#include "windows/Storyboard.h"
#include "windows/StoryboardInstantiable.h"
#include "windows/UVCDeviceViewController.h"

#include <QWidget>

namespace windows {

UVCDeviceWindowController::UVCDeviceWindowController() = default;

UVCDeviceWindowController::UVCDeviceWindowController(const platform::Coder& coder)
    : BaseWindowController(coder) {}

std::shared_ptr<UVCDeviceWindowModel> UVCDeviceWindowController::windowModel() const {
    return model;
}

void UVCDeviceWindowController::setWindowModel(std::shared_ptr<UVCDeviceWindowModel> windowModel) {
    model = std::move(windowModel);
}

const std::function<void()>& UVCDeviceWindowController::willClose() const {
    return willCloseHandler;
}

void UVCDeviceWindowController::setWillClose(std::function<void()> willClose) {
    willCloseHandler = std::move(willClose);
}

void UVCDeviceWindowController::loadWindow() {
    // Titled and closable, without minimize or maximize. The desktop's own title bar stays; it
    // shows no title, and the content begins right beneath it.
    auto window = std::make_unique<QWidget>(nullptr, platform::fixedTitledClosableWindowFlags);
    window->setWindowTitle(QString());
    window->setFixedSize(windowContentSize.toSize());
    platform::setMovableByWindowBackground(window.get(), true);
    platform::centerWindow(window.get());
    setWindow(std::move(window));
}

void UVCDeviceWindowController::windowDidLoad() {
    BaseWindowController::windowDidLoad();
    auto viewController =
        StoryboardInstantiable<UVCDeviceViewController>::instantiate(Storyboard::main());
    if (model == nullptr) {
        platform::fatalError(windowModelMissing);
    }
    viewController->setViewModel(model->viewModel());
    setContentViewController(viewController);
}

void UVCDeviceWindowController::cancel(QObject* /*sender*/) {
    platform::fadeOutAndClose(*this);
}

bool UVCDeviceWindowController::windowShouldClose(QWidget* /*sender*/) {
    cancel();
    return false;
}

void UVCDeviceWindowController::windowWillClose() {
    if (willCloseHandler) {
        willCloseHandler();
    }
}

} // namespace windows
