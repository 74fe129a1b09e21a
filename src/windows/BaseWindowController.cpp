#include "windows/BaseWindowController.h"

#include "platform/core/FatalError.h"

namespace windows {

std::optional<QString> BaseWindowController::windowNibName() const {
    return QString("");
}

BaseWindowController::BaseWindowController() = default;

BaseWindowController::BaseWindowController(const platform::Coder& /*coder*/) {
    platform::fatalError(initCoderNotImplemented);
}

void BaseWindowController::loadWindow() {
    platform::fatalError(loadWindowNotOverridden);
}

} // namespace windows
