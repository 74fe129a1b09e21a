#include "rx/DisposeBag.h"

namespace rx {

DisposeBag::~DisposeBag() {
    disposables.dispose();
}

void DisposeBag::insert(const Disposable& disposable) {
    disposables.add(disposable);
}

} // namespace rx
