#pragma once
// The reactive face of a segmented control: the segment the user selected.

#include "platform/widgets/SegmentedControl.h"
#include "rx/ControlEvent.h"
#include "windows/Reactive.h"

#include <QPointer>

namespace windows {

template <> class Reactive<platform::SegmentedControl> {
public:
    explicit Reactive(platform::SegmentedControl* base);

    // The selected segment at each user click, noSegment (-1) when none is selected by then. A
    // selection set in code sends nothing. A new sequence on every call.
    rx::ControlEvent<int> select() const;

private:
    QPointer<platform::SegmentedControl> base;
};

Reactive<platform::SegmentedControl> reactive(platform::SegmentedControl* control);

} // namespace windows
