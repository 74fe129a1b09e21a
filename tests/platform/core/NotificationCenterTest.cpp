#include "platform/core/NotificationCenter.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace platform {

TEST(NotificationCenterTest, DeliversOnTheMainThreadToObserversOfThePostedNameOnly) {
    NotificationCenter center;
    std::vector<std::string> seen;
    center.addObserver("Plugged", [&](const Notification& note) {
        bool main = QThread::currentThread() == qApp->thread();
        seen.push_back(std::to_string(std::any_cast<int>(note.object)) + (main ? " main" : ""));
    });
    center.addObserver("Unplugged", [&](const Notification&) { seen.push_back("other name"); });

    center.post("Plugged", 1);
    std::thread([&] { center.post("Plugged", 2); }).join();

    EXPECT_TRUE(QTest::qWaitFor([&] { return seen.size() >= 2; }, 5000));
    EXPECT_EQ(seen, (std::vector<std::string>{"1 main", "2 main"}));
}

TEST(NotificationCenterTest, ARemovedObserverGetsNothingEvenFromAPostUnderWay) {
    NotificationCenter center;
    int calls = 0;
    NotificationCenter::ObserverToken removed{};
    center.addObserver("Plugged", [&](const Notification&) { center.removeObserver(removed); });
    removed = center.addObserver("Plugged", [&](const Notification&) { ++calls; });
    center.post("Plugged");

    auto queued = center.addObserver("Plugged", [&](const Notification&) { ++calls; });
    std::thread([&] { center.post("Plugged"); }).join();
    center.removeObserver(queued);
    QTest::qWait(50);

    EXPECT_EQ(calls, 0);
}

} // namespace platform
