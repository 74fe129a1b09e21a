#pragma once
// The control URBs that one open usbfs file has submitted and not yet reaped.

#include <chrono>
#include <cstdint>
#include <list>
#include <optional>
#include <vector>

namespace sim {

class UsbUrbQueue {
public:
    using Clock = std::chrono::steady_clock;

    struct Urb {
        uint64_t address = 0; // where the URB lives in the client's memory
        Clock::time_point readyAt;
        bool completes = true; // false: pending until discarded
        int status = 0;
        int actualLength = 0;
        std::vector<uint8_t> data; // IN data to deliver
    };

    void push(Urb urb);
    // Completes the URB as cancelled (-ENOENT); false when no such URB is pending.
    bool discard(uint64_t address);
    // The URB that completed first, if any has completed by `now`.
    std::optional<Urb> takeCompleted(Clock::time_point now);
    // The oldest URB, completed or not: what a file reaps after its device went away.
    std::optional<Urb> takeOldest();

private:
    std::list<Urb> urbs;
};

} // namespace sim
