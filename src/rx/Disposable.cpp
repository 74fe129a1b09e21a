#include "rx/Disposable.h"

#include "rx/DisposeBag.h"

namespace rx {

Disposable::Disposable(std::function<void()> dispose)
    : state(std::make_shared<State>(State{std::move(dispose)})) {}

void Disposable::dispose() const {
    if (!state || !state->dispose) {
        return;
    }
    // Taken out first: the ending may dispose this handle again or drop the last copy of it.
    auto ending = std::move(state->dispose);
    state->dispose = nullptr;
    ending();
}

void Disposable::disposed(DisposeBag& bag) const {
    bag.insert(*this);
}

} // namespace rx
