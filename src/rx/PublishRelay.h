#pragma once
// Forwards each accepted element to its current subscribers, synchronously on the calling
// thread, in the order they subscribed. It never completes; a new subscriber gets only the
// elements accepted after it subscribed.

#include "rx/Disposable.h"
#include "rx/Observable.h"
#include "rx/Observer.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace rx {

template <class T> class PublishRelay {
public:
    PublishRelay()
        : state(std::make_shared<State>()) {}
    PublishRelay(const PublishRelay&) = delete;
    PublishRelay& operator=(const PublishRelay&) = delete;

    void accept(const T& element) const {
        // The subscribers of this moment: one that subscribes during delivery waits for the next
        // element, one that is disposed during delivery is skipped by its own subscription.
        std::vector<Observer<T>> current;
        for (const auto& [id, observer] : state->observers) {
            current.push_back(observer);
        }
        for (const auto& observer : current) {
            observer.onNext(element);
        }
    }

    Observable<T> asObservable() const {
        return Observable<T>([state = state](const Observer<T>& observer) {
            auto id = state->nextId++;
            state->observers.emplace(id, observer);
            return Disposable([weakState = std::weak_ptr(state), id] {
                if (auto state = weakState.lock()) {
                    state->observers.erase(id);
                }
            });
        });
    }

private:
    struct State {
        std::map<std::uint64_t, Observer<T>> observers;
        std::uint64_t nextId = 0;
    };
    std::shared_ptr<State> state;
};

} // namespace rx
