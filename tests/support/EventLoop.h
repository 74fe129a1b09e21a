#pragma once
// Running the calling thread's event loop for a test: for a while, or until a condition holds.

#include <chrono>
#include <functional>

namespace sim {

// Runs the event loop until `done` answers true; false when `limit` passed first.
bool runEventLoopUntil(const std::function<bool()>& done,
                       std::chrono::milliseconds limit = std::chrono::seconds(10));
void runEventLoop(std::chrono::milliseconds duration);

} // namespace sim
