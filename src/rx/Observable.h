#pragma once
// A push-based sequence of elements, as ReactiveX defines it. An Observable is a cheap value:
// copies share one subscribe function, and every subscription runs it anew. Sequences here never
// fail; a finite one completes.

#include "rx/Binder.h"
#include "rx/CompositeDisposable.h"
#include "rx/Disposable.h"
#include "rx/MainScheduler.h"
#include "rx/Observer.h"
#include "rx/Scheduler.h"
#include "rx/Sink.h"

#include <chrono>
#include <concepts>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

namespace rx {

template <class T> class Observable;

// Any observable sequence (an Observable or a type derived from one, such as ControlEvent).
template <class T>
concept ObservableType = std::derived_from<T, Observable<typename T::Element>>;

// Threading: the library is single-threaded by design, like the program built on it, and takes
// no locks. Subscribing, disposing and accepting into relays must never run on two threads at
// once; the program does all of them on the main thread. Every element is delivered
// synchronously on the thread that produces it. Work crosses to the main thread only through the
// Qt event loop: MainScheduler and ConcurrentMainScheduler queue work from other threads there
// (subscribeOn, Binder).
template <class T> class Observable {
public:
    using Element = T;
    // Starts delivering to the observer; the result ends the delivery.
    using SubscribeFunction = std::function<Disposable(const Observer<T>&)>;

    explicit Observable(SubscribeFunction subscribe)
        : subscribeFunction(std::make_shared<const SubscribeFunction>(std::move(subscribe))) {}

    // Each element transformed, read when it arrives.
    template <class Transform> auto map(Transform transform) const {
        using Result = std::decay_t<std::invoke_result_t<const Transform&, const T&>>;
        return Observable<Result>([source = *this, transform](const Observer<Result>& observer) {
            return source.subscribe(Observer<T>(
                [observer, transform](const T& element) { observer.onNext(transform(element)); },
                [observer] { observer.onCompleted(); }));
        });
    }

    // The element first, delivered synchronously while subscribing, then this sequence.
    Observable startWith(T element) const {
        return Observable([source = *this, element](const Observer<T>& observer) {
            observer.onNext(element);
            return source.subscribe(observer);
        });
    }

    // The elements of every inner sequence, as they arrive; completes once this sequence and
    // every inner one have completed.
    auto merge() const requires ObservableType<T> {
        using Inner = typename T::Element;
        return Observable<Inner>([source = *this](const Observer<Inner>& observer) {
            auto group = std::make_shared<MergeGroup>();
            auto completeOne = [weakGroup = std::weak_ptr(group), observer] {
                auto group = weakGroup.lock();
                if (group && --group->active == 0) {
                    observer.onCompleted();
                }
            };
            auto subscribeInner = [weakGroup = std::weak_ptr(group), observer,
                                   completeOne](const T& inner) {
                if (auto group = weakGroup.lock()) {
                    ++group->active;
                    group->subscriptions.add(inner.subscribe(Observer<Inner>(
                        [observer](const Inner& element) { observer.onNext(element); },
                        completeOne)));
                }
            };
            group->subscriptions.add(source.subscribe(Observer<T>(subscribeInner, completeOne)));
            return Disposable([group] { group->subscriptions.dispose(); });
        });
    }

    // The elements, in order, each from its own step on the scheduler; then completion.
    static Observable of(std::vector<T> elements, std::shared_ptr<Scheduler> scheduler) {
        auto shared = std::make_shared<const std::vector<T>>(std::move(elements));
        return Observable([shared, scheduler](const Observer<T>& observer) {
            auto cancelled = std::make_shared<bool>(false);
            scheduleElement(Emission{shared, 0, observer, scheduler, cancelled});
            return Disposable([cancelled] { *cancelled = true; });
        });
    }

    // 0, 1, 2, ... one every period, the first one period after subscribing.
    static Observable
    interval(std::chrono::milliseconds period,
             std::shared_ptr<MainScheduler> scheduler) requires std::same_as<T, int> {
        return Observable([period, scheduler](const Observer<int>& observer) {
            auto next = std::make_shared<int>(0);
            return scheduler->schedulePeriodic(period,
                                               [observer, next] { observer.onNext((*next)++); });
        });
    }

    // Delivers to the handlers until the result is disposed or the sequence completes.
    [[nodiscard]] Disposable subscribe(std::function<void(const T&)> onNext,
                                       std::function<void()> onCompleted = {}) const {
        return subscribe(Observer<T>(std::move(onNext), std::move(onCompleted)));
    }

    // The same for an observer; every operator subscribes its source this way.
    [[nodiscard]] Disposable subscribe(const Observer<T>& observer) const {
        auto sink = std::make_shared<Sink<T>>(observer);
        sink->setUpstream((*subscribeFunction)(Observer<T>(
            [sink](const T& element) { sink->onNext(element); }, [sink] { sink->onCompleted(); })));
        return Disposable([sink] { sink->dispose(); });
    }

    // The same sequence, with the subscription made on the scheduler. Disposing before the
    // scheduler got to it means it is never made.
    Observable subscribeOn(std::shared_ptr<Scheduler> scheduler) const {
        return Observable([source = *this, scheduler](const Observer<T>& observer) {
            auto subscription = std::make_shared<CompositeDisposable>();
            scheduler->schedule([source, observer, weakSubscription = std::weak_ptr(subscription)] {
                auto subscription = weakSubscription.lock();
                if (subscription && !subscription->isDisposed()) {
                    subscription->add(source.subscribe(observer));
                }
            });
            return Disposable([subscription] { subscription->dispose(); });
        });
    }

    // Sets the binder's target property from each element.
    [[nodiscard]] Disposable bind(const Binder<T>& binder) const {
        return subscribe([binder](const T& element) { binder.onNext(element); });
    }

private:
    struct MergeGroup {
        CompositeDisposable subscriptions;
        int active = 1; // this sequence and every inner one still running
    };

    struct Emission {
        std::shared_ptr<const std::vector<T>> elements;
        std::size_t index;
        Observer<T> observer;
        std::shared_ptr<Scheduler> scheduler;
        std::shared_ptr<bool> cancelled;
    };

    static void scheduleElement(Emission emission) {
        auto scheduler = emission.scheduler;
        scheduler->schedule([emission = std::move(emission)] {
            if (*emission.cancelled) {
                return;
            }
            if (emission.index == emission.elements->size()) {
                emission.observer.onCompleted();
                return;
            }
            emission.observer.onNext((*emission.elements)[emission.index]);
            auto next = emission;
            ++next.index;
            scheduleElement(std::move(next));
        });
    }

    std::shared_ptr<const SubscribeFunction> subscribeFunction;
};

} // namespace rx
