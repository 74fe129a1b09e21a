#pragma once
// Fading a window out before it closes.

#include <QWidget>

#include <chrono>
#include <functional>

namespace platform {

class WindowController;

// How long a fade takes when nobody asks for another duration.
inline constexpr std::chrono::milliseconds defaultFadeDuration{250};

// Animates the window's opacity to fully transparent and runs completion from the event loop
// once the animation has finished, so that it may end the window. The window stays open; closing it
// is the completion's business. When the window goes away before the fade ends, the completion
// never runs. With no window the completion runs from the event loop.
void fadeOut(QWidget* window, std::function<void()> completion);

// Fades the controller's window out, then closes it through the controller and makes it opaque
// again for the next time it shows. The controller is held weakly: one that ends mid-fade closes
// nothing. The controller must be held through std::shared_ptr.
void fadeOutAndClose(WindowController& controller);

} // namespace platform
