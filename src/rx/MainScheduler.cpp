#include "rx/MainScheduler.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <QTimer>

namespace rx {

const std::shared_ptr<MainScheduler>& MainScheduler::instance() {
    static const std::shared_ptr<MainScheduler> scheduler(new MainScheduler());
    return scheduler;
}

void MainScheduler::schedule(std::function<void()> action) {
    auto* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() == application->thread()) {
        action();
        return;
    }
    QMetaObject::invokeMethod(application, std::move(action), Qt::QueuedConnection);
}

Disposable MainScheduler::schedulePeriodic(std::chrono::milliseconds period,
                                           std::function<void()> action) {
    // The application owns the timer; disposing stops it and lets it go on the loop's next turn,
    // which is safe also from inside the action.
    QPointer<QTimer> timer = new QTimer(QCoreApplication::instance());
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(period);
    QObject::connect(timer, &QTimer::timeout, timer, std::move(action));
    timer->start();
    return Disposable([timer] {
        if (timer) {
            timer->stop();
            timer->deleteLater();
        }
    });
}

} // namespace rx
