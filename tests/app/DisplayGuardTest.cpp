// While the application object is made Qt's messages are held; afterwards they, and every later
// one, reach the handler that was in place before.
#include "app/DisplayGuard.h"

#include <QString>
#include <QtGlobal>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace app {

namespace {

std::vector<QString> received;

void receive(QtMsgType, const QMessageLogContext&, const QString& text) {
    received.push_back(text);
}

} // namespace

TEST(DisplayGuardTest, HeldMessagesAndLaterOnesReachTheHandlerInPlaceBefore) {
    received.clear();
    const QtMessageHandler outer = qInstallMessageHandler(receive);
    std::optional<DisplayGuard> guard(std::in_place);
    qWarning("while the application is made");
    const std::vector<QString> whileGuarded = received;
    guard.reset();
    qWarning("once it stands");
    qInstallMessageHandler(outer);

    EXPECT_TRUE(whileGuarded.empty());
    EXPECT_EQ(received, (std::vector<QString>{"while the application is made", "once it stands"}));
}

} // namespace app
