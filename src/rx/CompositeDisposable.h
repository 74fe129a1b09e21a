#pragma once
// Subscriptions ended together. One added after the group was ended is ended at once, so work
// that is still being set up when its subscription goes is ended as soon as it is handed over.

#include "rx/Disposable.h"

#include <vector>

namespace rx {

class CompositeDisposable {
public:
    CompositeDisposable() = default;
    CompositeDisposable(const CompositeDisposable&) = delete;
    CompositeDisposable& operator=(const CompositeDisposable&) = delete;

    void add(const Disposable& disposable);
    // Ends every subscription added so far and every one added later.
    void dispose();
    bool isDisposed() const { return disposed; }

private:
    bool disposed = false;
    std::vector<Disposable> disposables;
};

} // namespace rx
