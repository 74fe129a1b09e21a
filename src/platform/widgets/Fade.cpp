#include "platform/widgets/Fade.h"

#include "platform/widgets/WindowController.h"

#include <QCoreApplication>
#include <QPropertyAnimation>

#include <memory>

namespace platform {

void fadeOut(QWidget* window, std::function<void()> completion) {
    if (window == nullptr) {
        QMetaObject::invokeMethod(qApp, std::move(completion), Qt::QueuedConnection);
        return;
    }
    // The window owns the animation, so a window that ends mid-fade takes it along; a stopped
    // animation deletes itself.
    auto* animation = new QPropertyAnimation(window, "windowOpacity", window);
    animation->setDuration(static_cast<int>(defaultFadeDuration.count()));
    animation->setEndValue(0.0);
    // Queued, so that the completion may let the window and its animation go.
    QObject::connect(animation, &QPropertyAnimation::finished, window, std::move(completion),
                     Qt::QueuedConnection);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void fadeOutAndClose(WindowController& controller) {
    std::weak_ptr<WindowController> weakController = controller.weak_from_this();
    fadeOut(controller.window(), [weakController] {
        auto strongController = weakController.lock();
        if (strongController == nullptr) {
            return;
        }
        strongController->close();
        if (QWidget* closed = strongController->window()) {
            closed->setWindowOpacity(1.0);
        }
    });
}

} // namespace platform
