#include "rx/Binder.h"
#include "rx/BehaviorRelay.h"
#include "rx/Observable.h"
#include "rx/PublishRelay.h"

#include <QCoreApplication>
#include <QObject>
#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace rx {

TEST(BinderTest, SetsItsTargetAndDropsElementsOnceTheTargetIsGone) {
    BehaviorRelay<QString> name("first");
    auto object = std::make_unique<QObject>();
    auto shared = std::make_shared<QString>();
    int sets = 0;
    auto toObject = name.asObservable().bind(
        Binder<QString>(object.get(), [&sets](QObject& target, const QString& value) {
            ++sets;
            target.setObjectName(value);
        }));
    auto toShared = name.asObservable().bind(
        Binder<QString>(std::weak_ptr(shared), [&sets](QString& target, const QString& value) {
            ++sets;
            target = value;
        }));
    name.accept("second");
    EXPECT_EQ(object->objectName(), "second");
    EXPECT_EQ(*shared, "second");
    object.reset();
    shared.reset();
    name.accept("third");
    EXPECT_EQ(sets, 4);
    toObject.dispose();
    toShared.dispose();
}

TEST(BinderTest, SetsOnTheMainThreadWhenElementsArriveFromAnother) {
    auto object = std::make_unique<QObject>();
    PublishRelay<QString> name;
    std::thread::id setOn;
    auto subscription = name.asObservable().bind(
        Binder<QString>(object.get(), [&setOn](QObject& target, const QString& value) {
            setOn = std::this_thread::get_id();
            target.setObjectName(value);
        }));
    std::thread worker([&name] { name.accept("from worker"); });
    worker.join();
    EXPECT_EQ(object->objectName(), "");
    QCoreApplication::processEvents();
    EXPECT_EQ(object->objectName(), "from worker");
    EXPECT_EQ(setOn, std::this_thread::get_id());
    subscription.dispose();
}

} // namespace rx
