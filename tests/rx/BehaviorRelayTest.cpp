#include "rx/BehaviorRelay.h"
#include "Recorder.h"
#include "rx/DisposeBag.h"

#include <gtest/gtest.h>

namespace rx {

TEST(BehaviorRelayTest, HandsItsCurrentValueToEachNewSubscriberAtOnce) {
    BehaviorRelay<int> relay(1);
    Recorder<int> early;
    Recorder<int> late;
    DisposeBag bag;
    early.subscribe(relay.asObservable()).disposed(bag);
    EXPECT_EQ(early.elements, std::vector<int>{1});
    relay.accept(2);
    late.subscribe(relay.asObservable()).disposed(bag);
    EXPECT_EQ(early.elements, (std::vector<int>{1, 2}));
    EXPECT_EQ(late.elements, std::vector<int>{2});
    EXPECT_EQ(relay.value(), 2);
}

} // namespace rx
