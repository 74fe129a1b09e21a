#pragma once
// The reactive face of a check box: whether the user turned it on.

#include "rx/ControlEvent.h"
#include "windows/Reactive.h"

#include <QCheckBox>
#include <QPointer>

namespace windows {

template <> class Reactive<QCheckBox> {
public:
    explicit Reactive(QCheckBox* base);

    // At each user click, true exactly when the box is now checked; false when unchecked or
    // partially checked. A state set in code sends nothing. A new sequence on every call.
    rx::ControlEvent<bool> toggle() const;

private:
    QPointer<QCheckBox> base;
};

Reactive<QCheckBox> reactive(QCheckBox* control);

} // namespace windows
