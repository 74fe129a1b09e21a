#include "rx/CompositeDisposable.h"

namespace rx {

void CompositeDisposable::add(const Disposable& disposable) {
    if (disposed) {
        disposable.dispose();
        return;
    }
    disposables.push_back(disposable);
}

void CompositeDisposable::dispose() {
    disposed = true;
    // Moved out first: an ending may add to this group, which then ends the addition at once.
    auto ending = std::move(disposables);
    disposables.clear();
    for (const auto& disposable : ending) {
        disposable.dispose();
    }
}

} // namespace rx
