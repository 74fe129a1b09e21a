#pragma once
// Records what one subscription to a sequence received.

#include "rx/Observable.h"

#include <vector>

namespace rx {

template <class T> struct Recorder {
    std::vector<T> elements;
    bool completed = false;

    [[nodiscard]] Disposable subscribe(const Observable<T>& sequence) {
        return sequence.subscribe([this](const T& element) { elements.push_back(element); },
                                  [this] { completed = true; });
    }
};

} // namespace rx
