#pragma once
// Delivers named notifications to the blocks registered for that name. The default centre is
// process-wide; posting is allowed from any thread, blocks run on the queue they asked for.

#include "platform/core/Notification.h"

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

namespace platform {

class NotificationCenter {
public:
    // Where an observer's block runs. Main: on the main thread, at once when posted there,
    // otherwise through the Qt event loop.
    enum class Queue { main };

    // Identifies one observation, for removeObserver().
    enum class ObserverToken : std::uint64_t {};

    using Block = std::function<void(const Notification&)>;

    NotificationCenter() = default;
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    static NotificationCenter& defaultCenter();

    // Runs block once for every later notification of this name, until the token is removed.
    ObserverToken addObserver(std::string_view name, Queue queue, Block block);
    ObserverToken addObserver(std::string_view name, Block block);
    void removeObserver(ObserverToken token);

    void post(std::string_view name, std::any object = {});

private:
    struct Observation;

    std::vector<std::shared_ptr<Observation>> observersOf(std::string_view name) const;
    static void deliver(const std::shared_ptr<Observation>& observation,
                        const std::shared_ptr<const Notification>& notification);

    mutable std::mutex mutex;
    std::uint64_t lastToken = 0;
    std::vector<std::shared_ptr<Observation>> observations;
};

} // namespace platform
