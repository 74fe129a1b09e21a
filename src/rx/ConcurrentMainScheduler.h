#pragma once
// The main thread for work that must merely happen there, such as subscribing to the events of
// an interface control: at once when already on the main thread, otherwise queued to the main
// event loop.

#include "rx/Scheduler.h"

#include <memory>

namespace rx {

class ConcurrentMainScheduler final : public Scheduler {
public:
    static const std::shared_ptr<ConcurrentMainScheduler>& instance();

    void schedule(std::function<void()> action) override;

private:
    ConcurrentMainScheduler() = default;
};

} // namespace rx
