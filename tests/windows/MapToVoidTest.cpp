#include "windows/MapToVoid.h"
#include "rx/Disposable.h"
#include "rx/Observable.h"
#include "rx/Observer.h"
#include "rx/Recorder.h"
#include "rx/Unit.h"

#include <gtest/gtest.h>

#include <optional>

namespace windows {

TEST(MapToVoidTest, YieldsOneUnitPerElementAndCompletesWithTheSource) {
    std::optional<rx::Observer<int>> source;
    rx::Observable<int> numbers([&source](const rx::Observer<int>& observer) {
        source = observer;
        return rx::Disposable();
    });
    rx::Recorder<rx::Unit> recorder;
    auto subscription = recorder.subscribe(mapToVoid(numbers));

    for (int number : {0, 1, 2}) {
        source->onNext(number);
    }
    EXPECT_EQ(recorder.elements.size(), 3U);
    EXPECT_FALSE(recorder.completed);
    source->onCompleted();
    EXPECT_TRUE(recorder.completed);
}

} // namespace windows
