#include "platform/widgets/ViewController.h"

#include <QEvent>

namespace platform {

ViewController::ViewController() = default;

ViewController::ViewController(const Coder& coder)
    : viewWidget(coder.widget) {}

ViewController::~ViewController() {
    delete viewWidget.data();
}

QWidget* ViewController::view() {
    if (!viewLoaded) {
        loadView();
        if (viewWidget == nullptr) {
            setView(std::make_unique<QWidget>());
        }
        viewLoaded = true;
        viewWidget->installEventFilter(this);
        viewDidLoad();
    }
    return viewWidget;
}

bool ViewController::isViewLoaded() const {
    return viewLoaded;
}

QSize ViewController::preferredContentSize() const {
    return preferredSize;
}

void ViewController::setPreferredContentSize(const QSize& size) {
    preferredSize = size;
    emit preferredContentSizeChanged(size);
}

QWidget* ViewController::window() const {
    if (!viewLoaded || viewWidget == nullptr || viewWidget->parentWidget() == nullptr) {
        return nullptr;
    }
    return viewWidget->window();
}

void ViewController::loadView() {}

void ViewController::viewDidLoad() {}

void ViewController::viewWillAppear() {}

void ViewController::setView(std::unique_ptr<QWidget> view) {
    if (viewWidget != nullptr && viewWidget != view.get()) {
        delete viewWidget.data();
    }
    viewWidget = view.release();
}

bool ViewController::eventFilter(QObject* watched, QEvent* event) {
    // Spontaneous shows come from the window system (a window restored from the dock, say);
    // only a window that code asks to show counts as appearing.
    if (watched == viewWidget && event->type() == QEvent::Show && !event->spontaneous()) {
        viewWillAppear();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
