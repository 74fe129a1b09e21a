#pragma once
// A queue that runs work items asynchronously. The main queue runs them one after another on the
// main thread's event loop; the global queue runs each on a thread of its own.

#include <functional>

namespace platform {

class Dispatch {
public:
    using WorkItem = std::function<void()>;

    // Runs its items later, in submission order, on the main thread (from any thread).
    static Dispatch& main();
    // Runs each item at once on a new detached thread; for long-running work.
    static Dispatch& global();

    // Submits the item and returns at once. False when it could not be submitted: no
    // application object for the main queue, no thread for the global queue.
    bool async(WorkItem work) const;

    Dispatch(const Dispatch&) = delete;
    Dispatch& operator=(const Dispatch&) = delete;

private:
    enum class Kind { main, global };
    explicit Dispatch(Kind kind);

    Kind kind;
};

} // namespace platform
