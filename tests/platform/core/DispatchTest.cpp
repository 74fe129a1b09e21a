#include "platform/core/Dispatch.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <vector>

namespace platform {

TEST(DispatchTest, MainQueueRunsItemsLaterOnTheMainThreadInOrderFromAnyThread) {
    std::vector<int> order;
    bool allOnMainThread = true;
    auto item = [&](int n) {
        return [&, n] {
            order.push_back(n);
            allOnMainThread &= QThread::currentThread() == qApp->thread();
        };
    };
    ASSERT_TRUE(Dispatch::main().async(item(1)));
    std::thread([&] { Dispatch::main().async(item(2)); }).join();
    ASSERT_TRUE(Dispatch::main().async(item(3)));
    EXPECT_TRUE(order.empty());
    QTRY_COMPARE_WITH_TIMEOUT(order.size(), 3u, 5000);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(allOnMainThread);
}

TEST(DispatchTest, GlobalQueueReturnsAtOnceAndRunsTheItemOnAnotherThread) {
    // The item owns its share of both promises: it may still be unwinding after the test ends.
    auto release = std::make_shared<std::promise<void>>();
    auto ranOn = std::make_shared<std::promise<std::thread::id>>();
    std::future<std::thread::id> result = ranOn->get_future();
    ASSERT_TRUE(Dispatch::global().async([released = release->get_future().share(), ranOn] {
        released.wait_for(std::chrono::seconds(5)); // not forever if run on this thread
        ranOn->set_value(std::this_thread::get_id());
    }));
    release->set_value(); // the item could only finish after async had returned
    EXPECT_NE(result.get(), std::this_thread::get_id());
}

} // namespace platform
