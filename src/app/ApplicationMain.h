#pragma once
// Runs the application around its delegate: the launch hook once the event loop runs, the
// event loop itself, and on quitting the hot-plug watch ended before anything is torn down.

#include <memory>

namespace app {

class AppDelegate;

// Needs the application object. Returns the event loop's result, the exit status.
int applicationMain(const std::shared_ptr<AppDelegate>& delegate);

} // namespace app
