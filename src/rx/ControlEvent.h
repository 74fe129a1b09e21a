#pragma once
// The user-action events of an interface control as a sequence, subscribed to on
// ConcurrentMainScheduler (at once on the main thread).

#include "rx/ConcurrentMainScheduler.h"
#include "rx/Disposable.h"
#include "rx/Observable.h"
#include "rx/Observer.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <functional>

namespace rx {

// Made from a signal of its control, a control event emits nothing when subscribed to, delivers
// each action as the control signals it, never fails and completes when the control is destroyed.
template <class T> class ControlEvent : public Observable<T> {
public:
    // Passes one element on to the subscriber.
    using Deliver = std::function<void(const T&)>;
    // Connects a signal of the control so that it calls deliver with the element to deliver.
    using Connect = std::function<QMetaObject::Connection(const Deliver& deliver)>;

    explicit ControlEvent(const Observable<T>& events)
        : Observable<T>(events.subscribeOn(ConcurrentMainScheduler::instance())) {}

    // Each subscription connects anew; disposing it or destroying the control ends the
    // connection.
    static ControlEvent fromSignal(QObject* control, Connect connect) {
        return ControlEvent(Observable<T>(
            [control = QPointer<QObject>(control), connect](const Observer<T>& observer) {
                if (!control) {
                    observer.onCompleted();
                    return Disposable();
                }
                auto events = connect([observer](const T& element) { observer.onNext(element); });
                auto destroyed = QObject::connect(control, &QObject::destroyed,
                                                  [observer] { observer.onCompleted(); });
                return Disposable([events, destroyed] {
                    QObject::disconnect(events);
                    QObject::disconnect(destroyed);
                });
            }));
    }
};

} // namespace rx
