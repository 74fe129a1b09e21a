#pragma once
// Where and when work runs. The schedulers of this library either run work on the calling
// thread or hand it to the main thread's Qt event loop.

#include <functional>

namespace rx {

class Scheduler {
public:
    virtual ~Scheduler() = default;
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;

    // Runs the action as soon as this scheduler allows: at once, or later on its thread.
    virtual void schedule(std::function<void()> action) = 0;

protected:
    Scheduler() = default;
};

} // namespace rx
