#pragma once
// The About window's controller, from the scene "AboutWindowController": fixes the window's size
// and centres it when it loads, and fades it out instead of closing it at once.

#include "platform/widgets/WindowController.h"

namespace windows {

class AboutWindowController : public platform::WindowController {
    Q_OBJECT

public:
    explicit AboutWindowController(const platform::Coder& coder);

    // Fades the window out, then closes it and makes it opaque again.
    Q_INVOKABLE void cancel(QObject* sender = nullptr);
    // A close request of the user starts the fade and is refused.
    bool windowShouldClose(QWidget* sender) override;

protected:
    void windowDidLoad() override;
};

} // namespace windows
