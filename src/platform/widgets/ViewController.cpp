#include "platform/widgets/ViewController.h"

#include <QEvent>

namespace platform {

ViewController::ViewController() = default;

ViewController::ViewController(const Coder& coder)
    : view_(coder.widget) {}

ViewController::~ViewController() {
    delete view_.data();
}

QWidget* ViewController::view() {
    if (!viewLoaded_) {
        loadView();
        if (view_ == nullptr) {
            setView(std::make_unique<QWidget>());
        }
        viewLoaded_ = true;
        view_->installEventFilter(this);
        viewDidLoad();
    }
    return view_;
}

bool ViewController::isViewLoaded() const {
    return viewLoaded_;
}

QSize ViewController::preferredContentSize() const {
    return preferredContentSize_;
}

void ViewController::setPreferredContentSize(const QSize& size) {
    preferredContentSize_ = size;
    emit preferredContentSizeChanged(size);
}

QWidget* ViewController::window() const {
    if (!viewLoaded_ || view_ == nullptr || view_->parentWidget() == nullptr) {
        return nullptr;
    }
    return view_->window();
}

void ViewController::loadView() {}

void ViewController::viewDidLoad() {}

void ViewController::viewWillAppear() {}

void ViewController::setView(std::unique_ptr<QWidget> view) {
    if (view_ != nullptr && view_ != view.get()) {
        delete view_.data();
    }
    view_ = view.release();
}

bool ViewController::eventFilter(QObject* watched, QEvent* event) {
    // Spontaneous shows come from the window system (a window restored from the dock, say);
    // only a window that code asks to show counts as appearing.
    if (watched == view_ && event->type() == QEvent::Show && !event->spontaneous()) {
        viewWillAppear();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
