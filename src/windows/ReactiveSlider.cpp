#include "windows/ReactiveSlider.h"

namespace windows {

Reactive<QSlider>::Reactive(QSlider* base)
    : base(base) {}

rx::ControlEvent<int> Reactive<QSlider>::selectIntegerValue() const {
    return rx::ControlEvent<int>::fromSignal(base, [slider = base](const auto& deliver) {
        // actionTriggered comes before the new position becomes the value, so the position is
        // what the user chose. It covers drags too: sliderMoved would repeat those, and it also
        // fires for a value set in code while the handle is held.
        return QObject::connect(slider, &QSlider::actionTriggered, slider,
                                [slider, deliver](int) { deliver(slider->sliderPosition()); });
    });
}

Reactive<QSlider> reactive(QSlider* control) {
    return Reactive<QSlider>(control);
}

} // namespace windows
