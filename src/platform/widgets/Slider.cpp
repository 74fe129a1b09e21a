#include "platform/widgets/Slider.h"

#include <QMouseEvent>
#include <QProxyStyle>

namespace platform {

namespace {

class JumpToClickStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_Slider_AbsoluteSetButtons) {
            return Qt::LeftButton;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

Slider::Slider(QWidget* parent)
    : QSlider(Qt::Horizontal, parent) {
    auto* style = new JumpToClickStyle; // owned by the slider through its parent
    style->setParent(this);
    setStyle(style);
}

void Slider::mousePressEvent(QMouseEvent* event) {
    // The jump sets the position, which alone would trigger an action while tracking, and then
    // triggers one itself: without tracking for the moment, the click is a single action.
    const bool tracking = hasTracking();
    setTracking(false);
    QSlider::mousePressEvent(event);
    setTracking(tracking);
}

} // namespace platform
