#include "platform/core/NotificationCenter.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <string>
#include <utility>

namespace platform {

struct NotificationCenter::Observation {
    ObserverToken token;
    std::string name;
    Block block;
    // Cleared on removal, so that a delivery already under way skips the block.
    std::atomic<bool> active{true};
};

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter center;
    return center;
}

NotificationCenter::ObserverToken NotificationCenter::addObserver(std::string_view name,
                                                                  Queue /*queue*/, Block block) {
    // The main queue is the only one.
    auto observation = std::make_shared<Observation>();
    observation->name = std::string(name);
    observation->block = std::move(block);
    std::lock_guard lock(mutex);
    observation->token = ObserverToken{++lastToken};
    observations.push_back(observation);
    return observation->token;
}

NotificationCenter::ObserverToken NotificationCenter::addObserver(std::string_view name,
                                                                  Block block) {
    return addObserver(name, Queue::main, std::move(block));
}

void NotificationCenter::removeObserver(ObserverToken token) {
    std::lock_guard lock(mutex);
    auto found =
        std::find_if(observations.begin(), observations.end(),
                     [token](const auto& observation) { return observation->token == token; });
    if (found == observations.end()) {
        return;
    }
    (*found)->active = false;
    observations.erase(found);
}

void NotificationCenter::post(std::string_view name, std::any object) {
    auto notification =
        std::make_shared<const Notification>(Notification{std::string(name), std::move(object)});
    for (const auto& observation : observersOf(name)) {
        deliver(observation, notification);
    }
}

std::vector<std::shared_ptr<NotificationCenter::Observation>>
NotificationCenter::observersOf(std::string_view name) const {
    std::vector<std::shared_ptr<Observation>> matching;
    std::lock_guard lock(mutex);
    for (const auto& observation : observations) {
        if (observation->name == name) {
            matching.push_back(observation);
        }
    }
    return matching;
}

void NotificationCenter::deliver(const std::shared_ptr<Observation>& observation,
                                 const std::shared_ptr<const Notification>& notification) {
    auto run = [observation, notification] {
        if (observation->active) {
            observation->block(*notification);
        }
    };
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() == app->thread()) {
        run();
    } else {
        QMetaObject::invokeMethod(app, run, Qt::QueuedConnection);
    }
}

} // namespace platform
