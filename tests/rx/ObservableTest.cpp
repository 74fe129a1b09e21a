#include "rx/Observable.h"
#include "Recorder.h"
#include "rx/ConcurrentMainScheduler.h"
#include "rx/CurrentThreadScheduler.h"
#include "rx/DisposeBag.h"
#include "rx/MainScheduler.h"
#include "rx/PublishRelay.h"
#include "rx/Unit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>

namespace rx {

using namespace std::chrono_literals;

TEST(ObservableTest, MapReadsEachElementWhenItArrives) {
    PublishRelay<int> relay;
    int factor = 2;
    Recorder<std::string> recorder;
    auto subscription = recorder.subscribe(
        relay.asObservable().map([&factor](int value) { return std::to_string(value * factor); }));
    relay.accept(1);
    factor = 3;
    relay.accept(1);
    EXPECT_EQ(recorder.elements, (std::vector<std::string>{"2", "3"}));
    subscription.dispose();
}

TEST(ObservableTest, OfOnTheCurrentThreadDeliversEverythingBeforeSubscribeReturns) {
    auto scheduler = CurrentThreadScheduler::instance();
    Disposable inner;
    std::vector<int> order;
    // A sequence subscribed to during a delivery waits until that delivery has returned.
    auto outer = Observable<int>::of({1, 2}, scheduler).subscribe([&](int value) {
        order.push_back(value);
        if (value == 1) {
            inner = Observable<int>::of({10}, scheduler).subscribe([&order](int element) {
                order.push_back(element);
            });
            order.push_back(-1);
        }
    });
    EXPECT_EQ(order, (std::vector<int>{1, -1, 10, 2}));
}

// The leading element of startWith arrives while subscribing, before anything else.
TEST(ObservableTest, MergeOfATickAndATriggerFiresAtOnceAndOnEveryAccept) {
    PublishRelay<Unit> ticks;
    PublishRelay<Unit> trigger;
    auto tick = ticks.asObservable().startWith(Unit{});
    int fired = 0;
    auto subscription = Observable<Observable<Unit>>::of({tick, trigger.asObservable()},
                                                         CurrentThreadScheduler::instance())
                            .merge()
                            .subscribe([&fired](Unit) { ++fired; });
    EXPECT_EQ(fired, 1);
    trigger.accept({});
    ticks.accept({});
    EXPECT_EQ(fired, 3);
    subscription.dispose();
    trigger.accept({});
    ticks.accept({});
    EXPECT_EQ(fired, 3);
}

TEST(ObservableTest, IntervalTicksOnTheMainEventLoopUntilItsBagGoes) {
    auto runningTimers = [] {
        auto timers = QCoreApplication::instance()->findChildren<QTimer*>();
        return std::count_if(timers.begin(), timers.end(), [](auto* t) { return t->isActive(); });
    };
    auto timersBefore = runningTimers();
    std::vector<int> ticks;
    PublishRelay<int> relay;
    Recorder<int> fromRelay;
    QElapsedTimer clock;
    clock.start();
    {
        DisposeBag bag;
        Observable<int>::interval(50ms, MainScheduler::instance())
            .subscribe([&ticks](int tick) { ticks.push_back(tick); })
            .disposed(bag);
        fromRelay.subscribe(relay.asObservable()).disposed(bag);
        EXPECT_TRUE(QTest::qWaitFor([&ticks] { return ticks.size() >= 3; }, 10000));
        EXPECT_GE(clock.elapsed(), 150);
    }
    auto seen = ticks.size();
    QTest::qWait(200);
    relay.accept(1);
    EXPECT_EQ(ticks.size(), seen);
    EXPECT_EQ(runningTimers(), timersBefore);
    EXPECT_TRUE(fromRelay.elements.empty());
    EXPECT_EQ(std::vector<int>(ticks.begin(), ticks.begin() + 3), (std::vector<int>{0, 1, 2}));
}

TEST(ObservableTest, SubscribeOnMakesTheSubscriptionOnTheMainThread) {
    std::thread::id subscribedOn;
    Observable<int> source([&subscribedOn](const Observer<int>& observer) {
        subscribedOn = std::this_thread::get_id();
        observer.onNext(7);
        return Disposable();
    });
    auto onMain = source.subscribeOn(ConcurrentMainScheduler::instance());
    Recorder<int> recorder;
    Disposable subscription;
    std::thread worker([&] { subscription = recorder.subscribe(onMain); });
    worker.join();
    EXPECT_TRUE(recorder.elements.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(subscribedOn, std::this_thread::get_id());
    EXPECT_EQ(recorder.elements, std::vector<int>{7});
    subscription.dispose();

    subscribedOn = {};
    std::thread cancelling([&] { recorder.subscribe(onMain).dispose(); });
    cancelling.join();
    QCoreApplication::processEvents();
    EXPECT_EQ(subscribedOn, std::thread::id());
}

} // namespace rx
