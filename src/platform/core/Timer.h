#pragma once
// A repeating timer on the event loop of the thread that schedules it: the stand-in for a
// scheduled repeating timer of the run loop. It fires until it is invalidated or its last owner
// lets go.

#include <chrono>
#include <functional>
#include <memory>

class QTimer;

namespace platform {

class Timer : public std::enable_shared_from_this<Timer> {
    struct Key {
        explicit Key() = default;
    };

public:
    // Called with the timer at every firing.
    using Block = std::function<void(Timer&)>;

    // Schedules a repeating timer on the calling thread's event loop; the first firing comes one
    // interval from now.
    static std::shared_ptr<Timer> scheduledTimer(std::chrono::milliseconds interval, Block block);

    // The timer never fires again.
    void invalidate();
    // The interval the timer was scheduled with.
    std::chrono::milliseconds interval() const;

    Timer(Key, Block block);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

private:
    void start(std::chrono::milliseconds interval);
    void fire();

    std::unique_ptr<QTimer> timer;
    Block block;
};

} // namespace platform
