#pragma once
// The receiving end of one subscription: it passes events on to its observer until the subscription
// is disposed or the sequence completes, and then ends the work upstream. A disposed sink never
// passes anything on again, also when disposed from inside its own observer.

#include "rx/CompositeDisposable.h"
#include "rx/Observer.h"

#include <optional>

namespace rx {

template <class T> class Sink {
public:
    explicit Sink(Observer<T> observer)
        : observer(std::move(observer)) {}
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;

    void onNext(const T& element) {
        if (observer) {
            // A copy, since the observer may dispose this sink while it runs.
            Observer<T> current = *observer;
            current.onNext(element);
        }
    }

    void onCompleted() {
        if (observer) {
            Observer<T> current = *observer;
            current.onCompleted();
            dispose();
        }
    }

    // The work that feeds this sink; ended at once when the sink is already disposed.
    void setUpstream(const Disposable& disposable) { upstream.add(disposable); }

    void dispose() {
        observer.reset();
        upstream.dispose();
    }

private:
    std::optional<Observer<T>> observer;
    CompositeDisposable upstream;
};

} // namespace rx
