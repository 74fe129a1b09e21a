#include "rx/CurrentThreadScheduler.h"

#include <deque>

namespace rx {

namespace {

struct Trampoline {
    bool running = false;
    std::deque<std::function<void()>> queue;
};

thread_local Trampoline trampoline;

} // namespace

const std::shared_ptr<CurrentThreadScheduler>& CurrentThreadScheduler::instance() {
    static const std::shared_ptr<CurrentThreadScheduler> scheduler(new CurrentThreadScheduler());
    return scheduler;
}

void CurrentThreadScheduler::schedule(std::function<void()> action) {
    if (trampoline.running) {
        trampoline.queue.push_back(std::move(action));
        return;
    }
    trampoline.running = true;
    action();
    while (!trampoline.queue.empty()) {
        auto next = std::move(trampoline.queue.front());
        trampoline.queue.pop_front();
        next();
    }
    trampoline.running = false;
}

} // namespace rx
