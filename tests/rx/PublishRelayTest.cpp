#include "rx/PublishRelay.h"
#include "Recorder.h"

#include <gtest/gtest.h>

namespace rx {

TEST(PublishRelayTest, DeliversOnlyLaterElementsBeforeAcceptReturns) {
    PublishRelay<int> relay;
    relay.accept(1);
    Recorder<int> recorder;
    auto subscription = recorder.subscribe(relay.asObservable());
    relay.accept(2);
    EXPECT_EQ(recorder.elements, std::vector<int>{2});
    subscription.dispose();
}

TEST(PublishRelayTest, ASubscriptionDisposedDuringDeliveryNeverReceivesAgain) {
    PublishRelay<int> relay;
    std::vector<int> own;
    Disposable self;
    self = relay.asObservable().subscribe([&](int value) {
        own.push_back(value);
        self.dispose();
    });
    // The first subscriber ends the second one while the element is on its way to both.
    Disposable victim;
    auto killer = relay.asObservable().subscribe([&victim](int) { victim.dispose(); });
    Recorder<int> later;
    victim = later.subscribe(relay.asObservable());
    relay.accept(1);
    relay.accept(2);
    EXPECT_EQ(own, std::vector<int>{1});
    EXPECT_TRUE(later.elements.empty());
    killer.dispose();
}

} // namespace rx
