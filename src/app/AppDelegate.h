#pragma once
// The application's delegate: asks for camera access once the application has launched, then
// builds the status item and watches USB hot-plug events of the camera on a thread of its own.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

struct libusb_context; // libusb itself is included only by AppDelegate.cpp
struct libusb_device;

namespace app {

class StatusItem;

// Held through std::shared_ptr: the access answer and the event loop hold it while they run.
class AppDelegate : public std::enable_shared_from_this<AppDelegate> {
public:
    static constexpr std::string_view initFailedLine = "Error initializing libusb";
    static constexpr std::string_view registrationFailedLine = "Error creating a hotplug callback";
    static constexpr std::string_view descriptorFailedLine = "Error getting device descriptor";
    static constexpr std::string_view openFailedLine = "Could not open USB device";
    static constexpr std::string_view arrivedLine = "Device arrived: ";
    static constexpr std::string_view leftLine = "Device left: ";
    static constexpr std::string_view unhandledLine = "Unhandled event ";

    // The event loop ends once this many hot-plug events have been handled.
    static constexpr int64_t countLimit = 9'999'999;
    // The pause after every pass of the event loop.
    static constexpr std::chrono::microseconds loopPause{10'000};

    // Seams around the watch's set-up and its loop, for tests; empty in the program.
    struct Seams {
        // Taken as the result of libusb_init or of the registration instead of calling it.
        std::optional<int> initResult;
        std::optional<int> registrationResult;
        // Called with the pause's length in place of sleeping, on the loop thread.
        std::function<void(std::chrono::microseconds)> pause;
    };

    // The current status item; replaced whole on a USB arrival of the camera.
    std::shared_ptr<StatusItem> statusItem;
    // The libusb context of the hot-plug watch, separate from every camera's own.
    libusb_context* context = nullptr;
    // The registration of hotplugCallback.
    int32_t callbackHandle = 0;
    // Hot-plug events handled; read and written on the event-loop thread only.
    int64_t count = 0;
    Seams seams;

    AppDelegate() = default;
    ~AppDelegate();
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    // Once, on the main thread, when the event loop runs: asks for camera access. The answer
    // builds the status item and starts the watch, or shows the access alert and terminates.
    void applicationDidFinishLaunching();

    // Sets the watch up and hands its event loop to a thread of its own. A failed set-up prints
    // its line and ends the process with status 1.
    void start();
    // Builds a new status item on the main thread, later; callable from any thread.
    void reinitializeStatusItem();

    // libusb's hot-plug callback; the user data is the delegate. Always 0.
    static int hotplugCallback(libusb_context* context, libusb_device* device, uint32_t event,
                               void* userData);

    // Ends the event loop as reaching countLimit would, and returns once it has ended and let
    // the context go. At once when the loop is not running. Main thread; called when the
    // application quits, so that nothing is torn down under the loop.
    void stopWatch();
    bool isWatching() const { return watch->running; }

private:
    void showAccessErrorAndQuit();
    void runEventLoop();
    void endEventLoop();
    void pause(std::chrono::microseconds length) const;

    // The event loop's state, shared with its thread, which still uses it after it has given
    // up the delegate.
    struct Watch {
        std::atomic<bool> running{false};
        std::atomic<bool> stopRequested{false};
        // Set before the loop lets its context go; stopWatch() wakes the loop only before that,
        // and the loop waits for a wake-up in progress to finish.
        std::atomic<bool> contextReleased{false};
        std::atomic<int> wakeUpsInProgress{0};
    };
    std::shared_ptr<Watch> watch = std::make_shared<Watch>();
};

} // namespace app
