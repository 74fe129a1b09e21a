#pragma once
// The live picture of a capture session, shown in a view it is added to. It stretches with that
// view when its autoresizing mask says so; it leaves the view when it ends.

#include "platform/widgets/CaptureSession.h"

#include <QPointer>
#include <QRect>
#include <QVideoWidget>
#include <QWidget>

#include <memory>

namespace platform {

class PreviewLayer {
public:
    // The autoresizing flags that matter here: follow the view's width, its height.
    static constexpr int widthSizable = 2;
    static constexpr int heightSizable = 16;

    // Becomes the session's preview output.
    explicit PreviewLayer(std::shared_ptr<CaptureSession> session);
    ~PreviewLayer();
    PreviewLayer(const PreviewLayer&) = delete;
    PreviewLayer& operator=(const PreviewLayer&) = delete;

    const std::shared_ptr<CaptureSession>& session() const { return captureSession; }

    int autoresizingMask() const { return mask; }
    void setAutoresizingMask(int autoresizingMask);
    QRect frame() const;
    void setFrame(const QRect& frame);

    // Shows the picture in the view, on top of what it holds; the view then owns the picture's
    // widget too, whichever of the two ends first.
    void addTo(QWidget* view);
    // The view this layer was added to, or nullptr.
    QWidget* superview() const;
    // The widget that shows the picture.
    QVideoWidget* videoWidget() const { return widget; }

private:
    std::shared_ptr<CaptureSession> captureSession;
    QPointer<QVideoWidget> widget;
    int mask = 0;
};

} // namespace platform
