#include "app/DisplayGuard.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

namespace app {

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

// What the platform plugins say when the display they need cannot be reached: xcb without an
// X server to talk to, Wayland without a compositor.
struct DisplayFailure {
    const char* category; // nullptr: any
    const char* text;
};
constexpr std::array<DisplayFailure, 2> displayFailures = {{
    {"qt.qpa.xcb", "could not connect to display"},
    {nullptr, "Failed to create wl_display"},
}};

std::mutex heldLock;
std::vector<HeldMessage> held;
QtMessageHandler previousHandler = nullptr;

bool saysNoDisplay(const HeldMessage& message) {
    return std::any_of(
        displayFailures.begin(), displayFailures.end(), [&message](const DisplayFailure& failure) {
            return (failure.category == nullptr || message.category == failure.category) &&
                   message.text.startsWith(QLatin1String(failure.text));
        });
}

void printLine(std::string_view line) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
}

// Qt's own wording: "category: message", as its default message pattern has it.
std::string formatted(const HeldMessage& message) {
    const bool named = !message.category.isEmpty() && message.category != "default";
    return (named ? message.category.toStdString() + ": " : std::string()) +
           message.text.toStdString();
}

// Held messages and the fatal one: Qt is about to abort, and what it said before is about the
// same failure. Called with heldLock taken.
[[noreturn]] void endStart(const HeldMessage& fatal) {
    if (std::any_of(held.begin(), held.end(), saysNoDisplay)) {
        printLine(DisplayGuard::noDisplayLine);
    } else {
        printLine(DisplayGuard::startFailedLine);
        for (const HeldMessage& message : held) {
            printLine(formatted(message));
        }
        printLine(formatted(fatal));
    }
    std::fflush(stderr);
    std::_Exit(1);
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const std::lock_guard lock(heldLock);
    HeldMessage message{type, QByteArray(context.category), text};
    if (type == QtFatalMsg) {
        endStart(message);
    }
    held.push_back(std::move(message));
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
