#include "app/ApplicationMain.h"

#include "app/AppDelegate.h"

#include <QCoreApplication>
#include <QTimer>

namespace app {

int applicationMain(const std::shared_ptr<AppDelegate>& delegate) {
    QTimer::singleShot(0, QCoreApplication::instance(),
                       [delegate] { delegate->applicationDidFinishLaunching(); });
    const int status = QCoreApplication::exec();
    // The watch's thread must not run on while the objects it uses are destroyed; a status
    // item replacement it still handed over is dropped with the application's end.
    delegate->stopWatch();
    QCoreApplication::removePostedEvents(QCoreApplication::instance());
    return status;
}

} // namespace app
