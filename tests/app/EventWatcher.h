#pragma once
// Calls a function at every event of one type that an object it watches receives, before the
// object handles it, and counts them. Installed with QObject::installEventFilter.

#include <QEvent>
#include <QObject>

#include <functional>

namespace app {

class EventWatcher : public QObject {
public:
    explicit EventWatcher(
        QEvent::Type type, std::function<void()> seen = [] {});
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QEvent::Type type;
    std::function<void()> seen;
};

} // namespace app
