#include "app/DisplayGuard.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace app {

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

std::mutex heldLock;
std::vector<HeldMessage> held;
QtMessageHandler previousHandler = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        // Qt would abort next; what it said before is about the same failure.
        std::fprintf(stderr, "%.*s\n", static_cast<int>(DisplayGuard::noDisplayLine.size()),
                     DisplayGuard::noDisplayLine.data());
        std::fflush(stderr);
        std::_Exit(1);
    }
    const std::lock_guard lock(heldLock);
    held.push_back({type, QByteArray(context.category), text});
}

} // namespace

DisplayGuard::DisplayGuard() {
    previousHandler = qInstallMessageHandler(holdMessage);
}

DisplayGuard::~DisplayGuard() {
    qInstallMessageHandler(previousHandler);
    std::vector<HeldMessage> messages;
    {
        const std::lock_guard lock(heldLock);
        messages.swap(held);
    }
    for (const HeldMessage& message : messages) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
}

} // namespace app
