#pragma once
// Turns any sequence into a plain trigger.

#include "rx/Observable.h"
#include "rx/Unit.h"

namespace windows {

// One empty value for each element of the source; completes when the source does.
template <rx::ObservableType Source> rx::Observable<rx::Unit> mapToVoid(const Source& source) {
    return source.map([](const typename Source::Element&) { return rx::Unit{}; });
}

} // namespace windows
