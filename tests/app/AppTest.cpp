#include "AppTest.h"

#include "platform/core/UserDefaults.h"
#include "windows/MainScenes.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>

#include <algorithm>
#include <string_view>

namespace app {

namespace {

// The lines of the status item and the hot-plug watch, not those of the camera layer.
constexpr std::string_view appPrefixes[] = {
    "Refreshing device list...", "Device ", "Could not open USB device",
    "Unhandled event ",          "Error ",
};

Lines appLayerLines(const sim::StdoutCapture& output) {
    Lines result;
    for (std::string& line : output.lines()) {
        if (std::ranges::any_of(
                appPrefixes, [&](std::string_view prefix) { return line.starts_with(prefix); })) {
            result.push_back(std::move(line));
        }
    }
    return result;
}

} // namespace

AppTest::AppTest() {
    // Qt settles the user's settings directory once per process: each test names its own file.
    platform::UserDefaults::setStandard(
        std::make_shared<platform::UserDefaults>(configHome.filePath("defaults.conf")));
    windows::registerMainScenes();
    EXPECT_TRUE(monitor.start());
    // Observations of status items never end; count those that earlier tests left behind.
    platform::NotificationCenter::defaultCenter().post(
        platform::CaptureDeviceWasConnected, platform::CaptureDevice("probe", "probe", ""));
    staleObservers = static_cast<int>(appLayerLines(output).size());
    output.clear();
    auto& center = platform::NotificationCenter::defaultCenter();
    tokens.push_back(
        center.addObserver(platform::CaptureDeviceWasConnected,
                           [this](const platform::Notification&) { ++connectedPosts; }));
    tokens.push_back(
        center.addObserver(platform::CaptureDeviceWasDisconnected,
                           [this](const platform::Notification&) { ++disconnectedPosts; }));
}

AppTest::~AppTest() {
    for (auto token : tokens) {
        platform::NotificationCenter::defaultCenter().removeObserver(token);
    }
    // Work handed to the main thread (the hot-plug watch hands over its delegate's end),
    // windows and deferred deletions of a test end with it.
    QCoreApplication::sendPostedEvents();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        widget->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    platform::UserDefaults::setStandard(nullptr);
}

void AppTest::postedAfter(const int& posts, const std::function<void()>& change) {
    const int expected = posts + 1;
    change();
    EXPECT_TRUE(runEventLoopUntil([&] { return posts >= expected; }));
}

void AppTest::plugCamera() {
    postedAfter(connectedPosts, [this] { camera.plug(); });
}

void AppTest::unplugCamera() {
    postedAfter(disconnectedPosts, [this] { camera.unplug(); });
}

void AppTest::plugForeignCamera() {
    postedAfter(connectedPosts, [this] { camera.plugForeignCamera(); });
}

void AppTest::plugSecondCamera() {
    postedAfter(connectedPosts, [this] { camera.plugSecondCamera(); });
}

void AppTest::unplugSecondCamera() {
    postedAfter(disconnectedPosts, [this] { camera.unplugSecondCamera(); });
}

Lines AppTest::appLines() const {
    // Stale observations run first and print the connect or disconnect line the live one
    // prints: of each run of such lines, the first staleObservers are theirs.
    Lines result;
    const Lines lines = appLayerLines(output);
    for (std::size_t at = 0; at < lines.size();) {
        std::size_t end = at + 1;
        // The live item's disconnect line right after its removal line is its own.
        const bool afterRemoval = at > 0 && lines[at - 1].starts_with("Device removed: ");
        const bool notified = !afterRemoval && (lines[at].starts_with("Device connected: ") ||
                                                lines[at].starts_with("Device disconnected: "));
        while (notified && end < lines.size() && lines[end] == lines[at]) {
            ++end;
        }
        const std::size_t skip = notified ? std::min<std::size_t>(staleObservers, end - at) : 0;
        result.insert(result.end(), lines.begin() + static_cast<long>(at + skip),
                      lines.begin() + static_cast<long>(end));
        at = end;
    }
    return result;
}

std::vector<std::string> AppTest::titles(const QMenu& menu) {
    std::vector<std::string> result;
    for (const QAction* action : menu.actions()) {
        result.push_back(action->isSeparator() ? "-" : action->text().toStdString());
    }
    return result;
}

} // namespace app
