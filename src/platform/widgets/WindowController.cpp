#include "platform/widgets/WindowController.h"

#include <QCloseEvent>
#include <QLayout>
#include <QVBoxLayout>

namespace platform {

WindowController::WindowController() = default;

WindowController::WindowController(std::unique_ptr<QWidget> window) {
    setWindow(std::move(window));
}

WindowController::WindowController(const Coder& coder)
    : sceneWindow_(coder.widget) {}

WindowController::~WindowController() {
    if (window_ != nullptr) {
        window_->removeEventFilter(this);
        // Deleting a window inside its own close event would pull it from under Qt's feet.
        if (closeEventsInProgress_ > 0) {
            window_->deleteLater();
        } else {
            delete window_.data();
        }
    }
    delete sceneWindow_.data();
}

QWidget* WindowController::window() {
    if (window_ == nullptr) {
        loadWindow();
        if (window_ != nullptr) {
            windowDidLoad();
        }
    }
    return window_;
}

void WindowController::setWindow(std::unique_ptr<QWidget> window) {
    if (window.get() == window_) {
        window.release();
        return;
    }
    if (window_ != nullptr) {
        window_->removeEventFilter(this);
        delete window_.data();
    }
    window_ = window.release();
    if (window_ != nullptr) {
        window_->setAttribute(Qt::WA_DeleteOnClose, false);
        window_->installEventFilter(this);
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
    shown->show();
    shown->raise();
    shown->activateWindow();
}

void WindowController::close() {
    if (window_ == nullptr) {
        return;
    }
    QPointer<WindowController> alive(this);
    closingFromController_ = true;
    window_->close();
    if (alive) {
        closingFromController_ = false;
    }
}

std::shared_ptr<ViewController> WindowController::contentViewController() const {
    return contentViewController_;
}

void WindowController::setContentViewController(std::shared_ptr<ViewController> controller) {
    if (controller == contentViewController_) {
        return;
    }
    if (contentViewController_ != nullptr) {
        disconnect(contentViewController_.get(), nullptr, this, nullptr);
    }
    contentViewController_ = std::move(controller);
    if (contentViewController_ != nullptr) {
        // Connected before the view loads: a size set while it loads reaches the window.
        connect(contentViewController_.get(), &ViewController::preferredContentSizeChanged, this,
                &WindowController::applyContentSize);
        installContent();
    }
}

bool WindowController::windowShouldClose(QWidget* /*sender*/) {
    return true;
}

void WindowController::windowWillClose() {}

void WindowController::loadWindow() {
    if (sceneWindow_ != nullptr) {
        QWidget* scene = sceneWindow_;
        sceneWindow_ = nullptr;
        setWindow(std::unique_ptr<QWidget>(scene));
    }
}

void WindowController::windowDidLoad() {}

bool WindowController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Close) {
        return handleClose(event);
    }
    return QObject::eventFilter(watched, event);
}

bool WindowController::handleClose(QEvent* event) {
    // The delegate methods may let go of this controller; after them only locals are safe.
    QPointer<WindowController> alive(this);
    ++closeEventsInProgress_;
    const bool closes = closingFromController_ || windowShouldClose(window_);
    if (closes && alive) {
        windowWillClose();
    }
    if (alive) {
        --closeEventsInProgress_;
    }
    if (!closes) {
        event->ignore();
        return true;
    }
    return false;
}

void WindowController::installContent() {
    if (window_ == nullptr || contentViewController_ == nullptr) {
        return;
    }
    QWidget* view = contentViewController_->view();
    if (view != window_ && !window_->isAncestorOf(view)) {
        if (window_->layout() == nullptr) {
            auto* layout = new QVBoxLayout(window_);
            layout->setContentsMargins(0, 0, 0, 0);
        }
        window_->layout()->addWidget(view);
    }
    applyContentSize(contentViewController_->preferredContentSize());
}

void WindowController::applyContentSize(const QSize& size) {
    if (window_ == nullptr || size.isEmpty()) {
        return;
    }
    // A window the user may not resize keeps that: it is given the new size as fixed.
    if (window_->minimumSize() == window_->maximumSize()) {
        window_->setFixedSize(size);
    } else {
        window_->resize(size);
    }
}

} // namespace platform
