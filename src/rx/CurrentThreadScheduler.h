#pragma once
// The calling thread. Work scheduled while this scheduler already runs work on the thread waits
// in the thread's queue until that work returns (a trampoline), so recursive scheduling does not
// nest; everything still runs before the outermost schedule() returns.

#include "rx/Scheduler.h"

#include <memory>

namespace rx {

class CurrentThreadScheduler final : public Scheduler {
public:
    static const std::shared_ptr<CurrentThreadScheduler>& instance();

    void schedule(std::function<void()> action) override;

private:
    CurrentThreadScheduler() = default;
};

} // namespace rx
