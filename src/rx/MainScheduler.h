#pragma once
// The main thread's Qt event loop. Work scheduled on the main thread runs at once; work from
// another thread is queued to the loop. Periodic work runs on a timer of the loop.

#include "rx/Disposable.h"
#include "rx/Scheduler.h"

#include <chrono>
#include <memory>

namespace rx {

class MainScheduler final : public Scheduler {
public:
    static const std::shared_ptr<MainScheduler>& instance();

    void schedule(std::function<void()> action) override;
    // Runs the action every period, the first time one period from now, until disposed. Called
    // on the main thread.
    Disposable schedulePeriodic(std::chrono::milliseconds period, std::function<void()> action);

private:
    MainScheduler() = default;
};

} // namespace rx
