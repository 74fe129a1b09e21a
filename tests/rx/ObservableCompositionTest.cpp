#include "rx/Observable.h"

#include "Recorder.h"
#include "rx/BehaviorRelay.h"
#include "rx/CurrentThreadScheduler.h"
#include "rx/PublishRelay.h"

#include <gtest/gtest.h>

#include <memory>

namespace rx {

TEST(ObservableCompositionTest, StartWithComesFirstAlsoBeforeASourceThatEmitsWhileSubscribed) {
    BehaviorRelay<int> current(7);
    Recorder<int> recorder;
    auto subscription = recorder.subscribe(current.asObservable().startWith(1));
    current.accept(8);

    EXPECT_EQ(recorder.elements, (std::vector<int>{1, 7, 8}));
    // A relay never completes: its subscriptions end when they are disposed, as a bag does.
    subscription.dispose();
}

TEST(ObservableCompositionTest, DisposingAMergeEndsEveryInnerSubscription) {
    PublishRelay<int> first;
    PublishRelay<int> second;
    auto inners = std::make_shared<int>(0);
    auto counted = [inners](const PublishRelay<int>& relay) {
        return Observable<int>(
            [inners, source = relay.asObservable()](const Observer<int>& observer) {
                ++*inners;
                auto subscription = source.subscribe(observer);
                return Disposable([inners, subscription] {
                    --*inners;
                    subscription.dispose();
                });
            });
    };
    Recorder<int> recorder;
    auto subscription =
        recorder.subscribe(Observable<Observable<int>>::of({counted(first), counted(second)},
                                                           CurrentThreadScheduler::instance())
                               .merge());
    first.accept(1);
    second.accept(2);
    ASSERT_EQ(*inners, 2);

    subscription.dispose();
    first.accept(3);
    second.accept(4);

    EXPECT_EQ(*inners, 0);
    EXPECT_EQ(recorder.elements, (std::vector<int>{1, 2}));
}

} // namespace rx
