#pragma once
// A relay that always holds a current value: each new subscriber receives it at once, while
// subscribing, then every value accepted later, synchronously on the accepting thread. It
// never completes.

#include "rx/Observable.h"
#include "rx/PublishRelay.h"

#include <memory>

namespace rx {

template <class T> class BehaviorRelay {
public:
    explicit BehaviorRelay(T value)
        : state(std::make_shared<State>(std::move(value))) {}
    BehaviorRelay(const BehaviorRelay&) = delete;
    BehaviorRelay& operator=(const BehaviorRelay&) = delete;

    // Makes the element the current value, then delivers it.
    void accept(const T& element) const {
        // Delivered from a copy: a subscriber that accepts again must not change the value the
        // remaining subscribers of this round receive.
        T delivered = element;
        state->value = delivered;
        state->relay.accept(delivered);
    }

    T value() const { return state->value; }

    Observable<T> asObservable() const {
        return Observable<T>([state = state](const Observer<T>& observer) {
            auto subscription = state->relay.asObservable().subscribe(observer);
            T current = state->value;
            observer.onNext(current);
            return subscription;
        });
    }

private:
    struct State {
        explicit State(T value)
            : value(std::move(value)) {}
        T value;
        PublishRelay<T> relay;
    };
    std::shared_ptr<State> state;
};

} // namespace rx
