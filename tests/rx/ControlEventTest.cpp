#include "rx/ControlEvent.h"
#include "Recorder.h"

#include <QObject>
#include <gtest/gtest.h>

#include <memory>

namespace rx {

namespace {

// A control whose name changes stand in for user actions.
struct Control : QObject {
    using QObject::receivers;
    int connections() const { return receivers(SIGNAL(objectNameChanged(QString))); }
};

ControlEvent<QString> renamed(Control* control) {
    return ControlEvent<QString>::fromSignal(control, [control](const auto& deliver) {
        return QObject::connect(control, &QObject::objectNameChanged,
                                [deliver](const QString& name) { deliver(name); });
    });
}

} // namespace

TEST(ControlEventTest, DeliversOnlyActionsAfterSubscribingUntilDisposed) {
    auto control = std::make_unique<Control>();
    control->setObjectName("before");
    Recorder<QString> recorder;
    auto subscription = recorder.subscribe(renamed(control.get()));
    EXPECT_TRUE(recorder.elements.empty());
    control->setObjectName("during");
    subscription.dispose();
    control->setObjectName("after");
    EXPECT_EQ(recorder.elements, std::vector<QString>{"during"});
    EXPECT_EQ(control->connections(), 0);
}

TEST(ControlEventTest, CompletesWhenItsControlIsDestroyed) {
    auto control = std::make_unique<Control>();
    Recorder<QString> recorder;
    auto subscription = recorder.subscribe(renamed(control.get()));
    control.reset();
    EXPECT_TRUE(recorder.completed);
    Recorder<QString> late;
    auto none = late.subscribe(renamed(nullptr));
    EXPECT_TRUE(late.completed);
}

} // namespace rx
