#include "platform/core/Dispatch.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <system_error>
#include <thread>

namespace platform {

Dispatch::Dispatch(Kind kind)
    : kind(kind) {}

Dispatch& Dispatch::main() {
    static Dispatch queue(Kind::main);
    return queue;
}

Dispatch& Dispatch::global() {
    static Dispatch queue(Kind::global);
    return queue;
}

bool Dispatch::async(WorkItem work) const {
    if (kind == Kind::main) {
        // The application object lives on the main thread; a queued call on it runs there
        // from its event loop, even when posted from the main thread itself.
        QCoreApplication* app = QCoreApplication::instance();
        return app != nullptr &&
               QMetaObject::invokeMethod(app, std::move(work), Qt::QueuedConnection);
    }
    try {
        std::thread(std::move(work)).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

} // namespace platform
