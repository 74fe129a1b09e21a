#include "platform/core/Timer.h"

#include <QTimer>

namespace platform {

std::shared_ptr<Timer> Timer::scheduledTimer(std::chrono::milliseconds interval, Block block) {
    auto timer = std::make_shared<Timer>(Key{}, std::move(block));
    timer->start(interval);
    return timer;
}

void Timer::invalidate() {
    timer->stop();
}

std::chrono::milliseconds Timer::interval() const {
    return timer->intervalAsDuration();
}

Timer::Timer(Key, Block block)
    : timer(std::make_unique<QTimer>())
    , block(std::move(block)) {}

Timer::~Timer() = default;

void Timer::start(std::chrono::milliseconds interval) {
    // The connection holds the timer weakly: a block that lets go of the last owner still
    // finishes on a living object.
    QObject::connect(timer.get(), &QTimer::timeout, [weak = weak_from_this()] {
        if (auto self = weak.lock()) {
            self->fire();
        }
    });
    timer->start(interval);
}

void Timer::fire() {
    block(*this);
}

} // namespace platform
