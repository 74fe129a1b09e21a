#pragma once
// Base of the window controllers whose window is built in code: subclasses make it in
// loadWindow. They are made with the plain constructor only, never from a scene.

#include "platform/widgets/Coder.h"
#include "platform/widgets/WindowController.h"

#include <optional>
#include <string_view>

namespace windows {

class BaseWindowController : public platform::WindowController {
    Q_OBJECT

public:
    static constexpr std::string_view initCoderNotImplemented =
        "init(coder:) has not been implemented";
    static constexpr std::string_view loadWindowNotOverridden =
        "loadWindow must be overriden by subclasses";

    // Present but empty: the window is loadable, though no file is ever read for it.
    std::optional<QString> windowNibName() const override;

    BaseWindowController();
    // A scene naming one of these classes stops the process.
    explicit BaseWindowController(const platform::Coder& coder);

protected:
    // Stops the process: every subclass makes its own window.
    void loadWindow() override;
};

} // namespace windows
