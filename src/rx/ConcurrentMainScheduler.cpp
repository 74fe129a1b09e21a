#include "rx/ConcurrentMainScheduler.h"

#include "rx/MainScheduler.h"

namespace rx {

const std::shared_ptr<ConcurrentMainScheduler>& ConcurrentMainScheduler::instance() {
    static const std::shared_ptr<ConcurrentMainScheduler> scheduler(new ConcurrentMainScheduler());
    return scheduler;
}

void ConcurrentMainScheduler::schedule(std::function<void()> action) {
    MainScheduler::instance()->schedule(std::move(action));
}

} // namespace rx
