#include "platform/widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include <algorithm>

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

// Watches the first exposure of a window's native window, then moves the window inside and
// ends.
class FramedPlacement : public QObject {
public:
    explicit FramedPlacement(QWidget* window)
        : QObject(window)
        , window(window) {
        window->windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            moveInsideScreen(window);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* window;
};

QObject* moverOf(const QWidget* window) {
    return window->findChild<QObject*>(moverName, Qt::FindDirectChildrenOnly);
}

const QScreen* screenOf(const QWidget* window) {
    const QScreen* screen = window->screen();
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

} // namespace

void centerWindow(QWidget* window) {
    const QScreen* screen = screenOf(window);
    if (screen == nullptr) {
        return;
    }
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
    moveInsideScreen(window);
}

void moveInsideScreen(QWidget* window) {
    const QScreen* screen = screenOf(window);
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    // Right and bottom first, so that a frame wider or taller than the area ends at its left
    // or top edge.
    frame.moveRight(std::min(frame.right(), area.right()));
    frame.moveBottom(std::min(frame.bottom(), area.bottom()));
    frame.moveLeft(std::max(frame.left(), area.left()));
    frame.moveTop(std::max(frame.top(), area.top()));
    if (frame.topLeft() != window->frameGeometry().topLeft()) {
        window->move(frame.topLeft());
    }
}

void moveInsideScreenWhenFramed(QWidget* window) {
    if (window->windowHandle() != nullptr) {
        new FramedPlacement(window); // owned by the window, ends itself
    }
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
