#include "platform/widgets/PreviewLayer.h"

#include <QLayout>
#include <QVBoxLayout>

namespace platform {

PreviewLayer::PreviewLayer(std::shared_ptr<CaptureSession> session)
    : captureSession(std::move(session))
    , widget(new QVideoWidget) { // deleted here, or by the view it is added to
    captureSession->setPreviewOutput(widget);
}

PreviewLayer::~PreviewLayer() {
    if (captureSession->previewOutput() == widget) {
        captureSession->setPreviewOutput(nullptr);
    }
    delete widget.data();
}

void PreviewLayer::setAutoresizingMask(int autoresizingMask) {
    mask = autoresizingMask;
}

QRect PreviewLayer::frame() const {
    return widget != nullptr ? widget->geometry() : QRect();
}

void PreviewLayer::setFrame(const QRect& frame) {
    if (widget != nullptr) {
        widget->setGeometry(frame);
    }
}

void PreviewLayer::addTo(QWidget* view) {
    if (widget == nullptr || view == nullptr) {
        return;
    }
    const QRect kept = widget->geometry();
    widget->setParent(view);
    widget->setGeometry(kept);
    const bool followsView = (mask & widthSizable) != 0 && (mask & heightSizable) != 0;
    if (followsView) {
        if (view->layout() == nullptr) {
            auto* layout = new QVBoxLayout(view); // owned by the view
            layout->setContentsMargins(0, 0, 0, 0);
        }
        view->layout()->addWidget(widget);
    }
    widget->raise();
    widget->show();
}

QWidget* PreviewLayer::superview() const {
    return widget != nullptr ? widget->parentWidget() : nullptr;
}

} // namespace platform
