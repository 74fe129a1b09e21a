#include "platform/widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

namespace platform {

namespace {

constexpr const char* moverName = "platform_backgroundMover";

// Child of the window: watches the presses that reach the window itself.
class BackgroundMover : public QObject {
public:
    explicit BackgroundMover(QWidget* window)
        : QObject(window) {
        setObjectName(moverName);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            auto* window = static_cast<QWidget*>(watched)->windowHandle();
            if (window != nullptr && window->startSystemMove()) {
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

QObject* moverOf(const QWidget* window) {
    return window->findChild<QObject*>(moverName, Qt::FindDirectChildrenOnly);
}

} // namespace

void centerWindow(QWidget* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void setMovableByWindowBackground(QWidget* window, bool movable) {
    QObject* mover = moverOf(window);
    if (movable && mover == nullptr) {
        new BackgroundMover(window); // owned by the window
    } else if (!movable && mover != nullptr) {
        delete mover;
    }
}

bool isMovableByWindowBackground(const QWidget* window) {
    return moverOf(window) != nullptr;
}

} // namespace platform
