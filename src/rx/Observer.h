#pragma once
// Receives the events of a sequence: each element, then possibly the end of the sequence.
// Copies share the same handlers.

#include <functional>
#include <memory>

namespace rx {

template <class T> class Observer {
public:
    explicit Observer(std::function<void(const T&)> onNext, std::function<void()> onCompleted = {})
        : handlers(std::make_shared<const Handlers>(
              Handlers{std::move(onNext), std::move(onCompleted)})) {}

    void onNext(const T& element) const {
        if (handlers->onNext) {
            handlers->onNext(element);
        }
    }

    void onCompleted() const {
        if (handlers->onCompleted) {
            handlers->onCompleted();
        }
    }

private:
    struct Handlers {
        std::function<void(const T&)> onNext;
        std::function<void()> onCompleted;
    };
    std::shared_ptr<const Handlers> handlers;
};

} // namespace rx
