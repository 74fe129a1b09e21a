#pragma once
// A handle on a subscription or on scheduled work: disposing it ends that work. Copies share one
// state, so the ending runs at most once whichever copy disposes. Dropping a handle does not end
// anything; put it in a DisposeBag to tie it to an owner's lifetime.

#include <functional>
#include <memory>

namespace rx {

class DisposeBag;

class Disposable {
public:
    // A handle with nothing to end.
    Disposable() = default;
    explicit Disposable(std::function<void()> dispose);

    // Runs the ending once; later calls and calls on copies do nothing.
    void dispose() const;
    // Hands this subscription to the bag, which ends it when the bag goes.
    void disposed(DisposeBag& bag) const;

private:
    struct State {
        std::function<void()> dispose;
    };
    std::shared_ptr<State> state;
};

} // namespace rx
