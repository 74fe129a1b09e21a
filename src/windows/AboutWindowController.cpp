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
        // It keeps the size of its content: neither resizable nor maximizable.
        loaded->setWindowFlags(platform::fixedTitledClosableWindowFlags |
                               Qt::WindowMinimizeButtonHint);
        loaded->setFixedSize(loaded->size().expandedTo(loaded->minimumSizeHint()));
        platform::centerWindow(loaded);
    }
}

void AboutWindowController::cancel(QObject* /*sender*/) {
    platform::fadeOutAndClose(*this);
}

bool AboutWindowController::windowShouldClose(QWidget* /*sender*/) {
    cancel();
    return false;
}

} // namespace windows
