#include "windows/ReactiveSegmentedControl.h"

namespace windows {

using platform::SegmentedControl;

Reactive<SegmentedControl>::Reactive(SegmentedControl* base)
    : base(base) {}

rx::ControlEvent<int> Reactive<SegmentedControl>::select() const {
    return rx::ControlEvent<int>::fromSignal(base, [control = base](const auto& deliver) {
        // The selection as it stands when the click arrives, not the clicked index.
        return QObject::connect(control, &SegmentedControl::userSelected, control,
                                [control, deliver](int) { deliver(control->selectedSegment()); });
    });
}

Reactive<SegmentedControl> reactive(SegmentedControl* control) {
    return Reactive<SegmentedControl>(control);
}

} // namespace windows
