#include "EventWatcher.h"

#include <utility>

namespace app {

EventWatcher::EventWatcher(QEvent::Type type, std::function<void()> seen)
    : type(type)
    , seen(std::move(seen)) {}

bool EventWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == type) {
        ++count;
        seen();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace app
