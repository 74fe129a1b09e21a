#pragma once
// Holds subscriptions for the lifetime of its owner: destroying the bag ends every subscription
// in it (and so stops their timers).

#include "rx/CompositeDisposable.h"
#include "rx/Disposable.h"

namespace rx {

class DisposeBag {
public:
    DisposeBag() = default;
    ~DisposeBag();
    DisposeBag(const DisposeBag&) = delete;
    DisposeBag& operator=(const DisposeBag&) = delete;

    void insert(const Disposable& disposable);

private:
    CompositeDisposable disposables;
};

} // namespace rx
