#pragma once
// Whether this user may use the video capture devices. The answer comes on a worker thread,
// never on the caller's.

#include <functional>
#include <optional>

namespace platform {

class CaptureAccess {
public:
    using Completion = std::function<void(bool granted)>;

    // Calls completion once, on a worker thread: granted unless some capture device's node
    // exists that this user cannot open for reading and writing.
    static void requestAccess(Completion completion);

    // Makes every later request answer `answer` without looking at the devices; none brings
    // the real answer back. For tests.
    static void forceAnswer(std::optional<bool> answer);

private:
    static bool canOpenEveryDevice();
};

} // namespace platform
