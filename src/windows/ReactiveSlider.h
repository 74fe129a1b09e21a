#pragma once
// The reactive face of a slider: the position the user moves it to.

#include "rx/ControlEvent.h"
#include "windows/Reactive.h"

#include <QPointer>
#include <QSlider>

namespace windows {

template <> class Reactive<QSlider> {
public:
    explicit Reactive(QSlider* base);

    // The slider's position at each user action: every step of a drag while the slider tracks
    // (only the release when it does not), each key press, groove click and wheel turn. A value
    // set with setValue sends nothing. A new sequence on every call.
    rx::ControlEvent<int> selectIntegerValue() const;

private:
    QPointer<QSlider> base;
};

Reactive<QSlider> reactive(QSlider* control);

} // namespace windows
