#pragma once
// A slider whose handle jumps to the point of a click on its groove: one click, one new value,
// where a plain QSlider would page towards the point and repeat while the button is held.

#include <QSlider>

namespace platform {

class Slider : public QSlider {
    Q_OBJECT

public:
    explicit Slider(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace platform
