#include "windows/AboutWindowController.h"

#include "platform/widgets/Fade.h"
#include "platform/widgets/WindowPlacement.h"

#include <QWidget>

namespace windows {

AboutWindowController::AboutWindowController(const platform::Coder& coder)
    : WindowController(coder) {}

void AboutWindowController::windowDidLoad() {
    WindowController::windowDidLoad();
    if (QWidget* loaded = window()) {
        platform::centerWindow(loaded);
    }
}

void AboutWindowController::cancel() {
    std::weak_ptr<platform::WindowController> weakSelf = weak_from_this();
    platform::fadeOut(window(), [weakSelf] {
        auto self = weakSelf.lock();
        if (self == nullptr) {
            return;
        }
        self->close();
        if (QWidget* closed = self->window()) {
            closed->setWindowOpacity(1.0);
        }
    });
}

bool AboutWindowController::windowShouldClose(QWidget* /*sender*/) {
    cancel();
    return false;
}

} // namespace windows
