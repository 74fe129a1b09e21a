#include "platform/widgets/WindowController.h"

#include "platform/widgets/WindowPlacement.h"

#include <QCloseEvent>
#include <QLayout>
#include <QVBoxLayout>

namespace platform {

WindowController::WindowController() = default;

WindowController::WindowController(std::unique_ptr<QWidget> window) {
    setWindow(std::move(window));
}

WindowController::WindowController(const Coder& coder)
    : sceneWindow(coder.widget) {}

WindowController::~WindowController() {
    if (windowWidget != nullptr) {
        windowWidget->removeEventFilter(this);
        // Deleting a window inside its own close event would pull it from under Qt's feet.
        if (closeEventsInProgress > 0) {
            windowWidget->deleteLater();
        } else {
            delete windowWidget.data();
        }
    }
    delete sceneWindow.data();
}

QWidget* WindowController::window() {
    if (windowWidget == nullptr) {
        loadWindow();
        if (windowWidget != nullptr) {
            windowDidLoad();
        }
    }
    return windowWidget;
}

void WindowController::setWindow(std::unique_ptr<QWidget> window) {
    if (window.get() == windowWidget) {
        window.release();
        return;
    }
    if (windowWidget != nullptr) {
        windowWidget->removeEventFilter(this);
        delete windowWidget.data();
    }
    windowWidget = window.release();
    if (windowWidget != nullptr) {
        windowWidget->setAttribute(Qt::WA_DeleteOnClose, false);
        windowWidget->installEventFilter(this);
        installContent();
    }
}

std::optional<QString> WindowController::windowNibName() const {
    return std::nullopt;
}

void WindowController::showWindow() {
    QWidget* shown = window();
    if (shown == nullptr) {
        return;
    }
    const bool firstShowing = !shownOnce;
    shownOnce = true;
    shown->show();
    if (firstShowing) {
        moveInsideScreenWhenFramed(shown);
    }
    shown->raise();
    shown->activateWindow();
}

void WindowController::close() {
    if (windowWidget == nullptr) {
        return;
    }
    QPointer<WindowController> alive(this);
    closingFromController = true;
    windowWidget->close();
    if (alive) {
        closingFromController = false;
    }
}

std::shared_ptr<ViewController> WindowController::contentViewController() const {
    return contentController;
}

void WindowController::setContentViewController(std::shared_ptr<ViewController> controller) {
    if (controller == contentController) {
        return;
    }
    if (contentController != nullptr) {
        disconnect(contentController.get(), nullptr, this, nullptr);
    }
    contentController = std::move(controller);
    if (contentController != nullptr) {
        // Connected before the view loads: a size set while it loads reaches the window.
        connect(contentController.get(), &ViewController::preferredContentSizeChanged, this,
                &WindowController::applyContentSize);
        installContent();
    }
}

bool WindowController::windowShouldClose(QWidget* /*sender*/) {
    return true;
}

void WindowController::windowWillClose() {}

void WindowController::loadWindow() {
    if (sceneWindow != nullptr) {
        QWidget* scene = sceneWindow;
        sceneWindow = nullptr;
        setWindow(std::unique_ptr<QWidget>(scene));
    }
}

void WindowController::windowDidLoad() {}

bool WindowController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowWidget && event->type() == QEvent::Close) {
        return handleClose(event);
    }
    return QObject::eventFilter(watched, event);
}

bool WindowController::handleClose(QEvent* event) {
    // The delegate methods may let go of this controller; after them only locals are safe.
    QPointer<WindowController> alive(this);
    ++closeEventsInProgress;
    const bool closes = closingFromController || windowShouldClose(windowWidget);
    if (closes && alive) {
        windowWillClose();
    }
    if (alive) {
        --closeEventsInProgress;
    }
    if (!closes) {
        event->ignore();
        return true;
    }
    return false;
}

void WindowController::installContent() {
    if (windowWidget == nullptr || contentController == nullptr) {
        return;
    }
    QWidget* view = contentController->view();
    if (view != windowWidget && !windowWidget->isAncestorOf(view)) {
        if (windowWidget->layout() == nullptr) {
            auto* layout = new QVBoxLayout(windowWidget);
            layout->setContentsMargins(0, 0, 0, 0);
        }
        windowWidget->layout()->addWidget(view);
    }
    applyContentSize(contentController->preferredContentSize());
}

void WindowController::applyContentSize(const QSize& size) {
    if (windowWidget == nullptr || size.isEmpty()) {
        return;
    }
    const QSize before = windowWidget->size();
    // A window the user may not resize keeps that: it is given the new size as fixed.
    if (windowWidget->minimumSize() == windowWidget->maximumSize()) {
        windowWidget->setFixedSize(size);
    } else {
        windowWidget->resize(size);
    }
    // It grows to the right and down from its top-left corner; what would leave the screen
    // moves back in. A window that shrinks stays where it is.
    if (size.width() > before.width() || size.height() > before.height()) {
        moveInsideScreen(windowWidget);
    }
}

} // namespace platform
