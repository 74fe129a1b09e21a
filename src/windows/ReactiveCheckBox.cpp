#include "windows/ReactiveCheckBox.h"

namespace windows {

Reactive<QCheckBox>::Reactive(QCheckBox* base)
    : base(base) {}

rx::ControlEvent<bool> Reactive<QCheckBox>::toggle() const {
    return rx::ControlEvent<bool>::fromSignal(base, [box = base](const auto& deliver) {
        // clicked carries isChecked(), which is also true for a partially checked box.
        return QObject::connect(box, &QCheckBox::clicked, box, [box, deliver](bool) {
            deliver(box->checkState() == Qt::Checked);
        });
    });
}

Reactive<QCheckBox> reactive(QCheckBox* control) {
    return Reactive<QCheckBox>(control);
}

} // namespace windows
