#include "Recorder.h"
#include "rx/BehaviorRelay.h"
#include "rx/DisposeBag.h"
#include "rx/PublishRelay.h"

#include <gtest/gtest.h>

TEST(BehaviorRelay, handsItsCurrentValueToEachNewSubscriberAtOnce) {
    rx::BehaviorRelay<int> relay(1);
    Recorder<int> early;
    Recorder<int> late;
    rx::DisposeBag bag;
    early.subscribe(relay.asObservable()).disposed(bag);
    EXPECT_EQ(early.elements, std::vector<int>{1});
    relay.accept(2);
    late.subscribe(relay.asObservable()).disposed(bag);
    EXPECT_EQ(early.elements, (std::vector<int>{1, 2}));
    EXPECT_EQ(late.elements, std::vector<int>{2});
    EXPECT_EQ(relay.value(), 2);
}

TEST(PublishRelay, deliversOnlyLaterElementsBeforeAcceptReturns) {
    rx::PublishRelay<int> relay;
    relay.accept(1);
    Recorder<int> recorder;
    auto subscription = recorder.subscribe(relay.asObservable());
    relay.accept(2);
    EXPECT_EQ(recorder.elements, std::vector<int>{2});
    subscription.dispose();
}

TEST(PublishRelay, aSubscriptionDisposedDuringDeliveryNeverReceivesAgain) {
    rx::PublishRelay<int> relay;
    std::vector<int> own;
    rx::Disposable self;
    self = relay.asObservable().subscribe([&](int value) {
        own.push_back(value);
        self.dispose();
    });
    // The first subscriber ends the second one while the element is on its way to both.
    rx::Disposable victim;
    auto killer = relay.asObservable().subscribe([&victim](int) { victim.dispose(); });
    Recorder<int> later;
    victim = later.subscribe(relay.asObservable());
    relay.accept(1);
    relay.accept(2);
    EXPECT_EQ(own, std::vector<int>{1});
    EXPECT_TRUE(later.elements.empty());
    killer.dispose();
}
