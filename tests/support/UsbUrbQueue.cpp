#include "support/UsbUrbQueue.h"

#include <cerrno>

namespace sim {

void UsbUrbQueue::push(Urb urb) {
    urbs.push_back(std::move(urb));
}

bool UsbUrbQueue::discard(uint64_t address) {
    for (Urb& urb : urbs) {
        if (urb.address != address)
            continue;
        urb.completes = true;
        urb.readyAt = Clock::now();
        urb.status = -ENOENT;
        urb.actualLength = 0;
        urb.data.clear();
        return true;
    }
    return false;
}

std::optional<UsbUrbQueue::Urb> UsbUrbQueue::takeCompleted(Clock::time_point now) {
    auto first = urbs.end();
    for (auto it = urbs.begin(); it != urbs.end(); ++it) {
        if (it->completes && it->readyAt <= now &&
            (first == urbs.end() || it->readyAt < first->readyAt))
            first = it;
    }
    if (first == urbs.end())
        return std::nullopt;
    Urb urb = std::move(*first);
    urbs.erase(first);
    return urb;
}

std::optional<UsbUrbQueue::Urb> UsbUrbQueue::takeOldest() {
    if (urbs.empty())
        return std::nullopt;
    Urb urb = std::move(urbs.front());
    urbs.pop_front();
    return urb;
}

} // namespace sim
