// The real vistrel-utility as a child process, against the simulated camera that this test
// owns (the child reaches it through UMOCKDEV_DIR), on a virtual X display with a tray.
#include "AppTest.h"
#include "UtilityTest.h"
#include "support/ClientWindows.h"

#include <QDir>
#include <QImage>
#include <QLibraryInfo>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>

namespace app {

namespace {

class UtilityEndToEndTest : public UtilityTest {
protected:
    explicit UtilityEndToEndTest(sim::TransferRoute route = sim::TransferRoute::usbfs)
        : UtilityTest(route) {}

    bool printedAfter(std::size_t from, const std::string& line, long count = 1) {
        return utility->waitFor(
            [&](const Lines& lines) {
                return std::count(lines.begin() + static_cast<long>(std::min(from, lines.size())),
                                  lines.end(), line) >= count;
            },
            eventTimeout);
    }

    std::unique_ptr<sim::ChildProcess> utility;
};

// The free camera, reached through usbfs, and the one the kernel's driver holds.
class UtilityEndToEndRouteTest : public UtilityEndToEndTest,
                                 public ::testing::WithParamInterface<sim::TransferRoute> {
protected:
    UtilityEndToEndRouteTest()
        : UtilityEndToEndTest(GetParam()) {}
};

} // namespace

TEST_P(UtilityEndToEndRouteTest,
       TheUtilityListsTheCameraTypesItsProfileFollowsHotplugAndShowsItsMenu) {
    utility = startUtility();
    ASSERT_TRUE(utility->waitForLine("The value is: 1D", startTimeout, 3));
    const Lines lines = utility->lines();
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 8),
              (Lines{"Refreshing device list...", "asdf",
                     "[UVCDevice] Open: LIBUSB_SUCCESS / LIBUSB_TRANSFER_COMPLETED Success",
                     "The value for firmware is: 35", "The value is: 1D", "Device added: VISTREL",
                     "The value is: 1D", "The value is: 1D"}));

    camera.scriptButtonCodes({0x19});
    EXPECT_EQ(recorder->waitForEvents(2, eventTimeout),
              (std::vector<sim::RecordedKey>{{true, "Return", 0}, {false, "Return", 0}}));
    recorder.reset();

    std::size_t from = utility->lines().size();
    camera.unplug();
    for (const char* line :
         {"Device left: 3141:25446", "Device removed: VISTREL", "Device disconnected: VISTREL"}) {
        EXPECT_TRUE(printedAfter(from, line)) << line;
    }
    from = utility->lines().size();
    camera.plug();
    for (const char* line : {"Device arrived: 3141:25446", "Device added: VISTREL"}) {
        EXPECT_TRUE(printedAfter(from, line)) << line;
    }
    // The arrival's new status item and the connect notification each run a discovery pass
    // that builds a new menu, in either order; the menu open before the second would close
    // under the click. A pass runs on the main thread in one go: a click sent once both have
    // begun reaches the menu they leave.
    EXPECT_TRUE(printedAfter(from, "Refreshing device list...", 2));

    const std::optional<sim::ScreenRect> menu = openMenu();
    ASSERT_TRUE(menu);
    if (const char* shots = std::getenv("VISTREL_SCREENSHOT_DIR")) {
        const int left = std::max(0, menu->x - 40);
        const sim::ScreenRect area{left, 0, 1024 - left, menu->y + menu->height + 20};
        const std::vector<uint32_t> pixels = tray->grab(area);
        if (!pixels.empty()) {
            QImage(reinterpret_cast<const uchar*>(pixels.data()), area.width, area.height,
                   QImage::Format_RGB32)
                .save(QString(shots) + "/tray-menu.png");
        }
    }
    // The last item quits; the process ends with the event loop's status.
    choose(*menu, MenuItem::quit);
    EXPECT_EQ(utility->waitForExit(eventTimeout), 0);
    // Every class request took the route under test, after the re-plug as before it.
    int classRequests = 0;
    for (const sim::ControlTransfer& transfer : camera.transfers()) {
        if ((transfer.bmRequestType & 0x60) == 0x20) {
            ++classRequests;
            EXPECT_EQ(transfer.route, GetParam());
        }
    }
    EXPECT_GT(classRequests, 0);
    EXPECT_EQ(camera.driverDetachments(), 0);
}

INSTANTIATE_TEST_SUITE_P(Routes, UtilityEndToEndRouteTest,
                         ::testing::Values(sim::TransferRoute::usbfs,
                                           sim::TransferRoute::videoNode),
                         routeName);

TEST_F(UtilityEndToEndTest, WithoutATraySayingSoInOneLineTheButtonStillWorks) {
    tray.reset();
    utility = startUtility(sim::ChildProcess::StandardError::read);
    ASSERT_TRUE(utility->waitForLine("Device added: VISTREL", startTimeout));
    const Lines lines = utility->lines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) {
                                return line.find("no system tray") != std::string::npos;
                            }),
              1);

    camera.scriptButtonCodes({0x19});
    EXPECT_EQ(recorder->waitForEvents(2, eventTimeout),
              (std::vector<sim::RecordedKey>{{true, "Return", 0}, {false, "Return", 0}}));
}

// Closing the control window or the About window, as a window manager's close button does,
// never quits: the utility still follows the camera, and quits from its menu.
TEST_F(UtilityEndToEndTest, ClosingTheControlAndAboutWindowsLeavesTheUtilityRunning) {
    utility = startUtility();
    ASSERT_TRUE(utility->waitForLine("Device added: VISTREL", startTimeout));
    recorder.reset(); // its window would take the clicks
    sim::ClientWindows windows;
    for (const MenuItem item : {MenuItem::camera, MenuItem::about}) {
        SCOPED_TRACE(item == MenuItem::camera ? "control window" : "About window");
        const std::optional<sim::ScreenRect> menu = openMenu();
        ASSERT_TRUE(menu);
        choose(*menu, item);
        const std::vector<unsigned long> shown = windows.waitForMapped("vistrel", 1, eventTimeout);
        ASSERT_EQ(shown.size(), 1U);
        windows.requestClose(shown[0]);
        EXPECT_TRUE(windows.waitForMapped("vistrel", 0, eventTimeout).empty());
    }
    const std::size_t from = utility->lines().size();
    camera.unplug();
    for (const char* line : {"Device left: 3141:25446", "Device removed: VISTREL"}) {
        EXPECT_TRUE(printedAfter(from, line)) << line;
    }
    const std::optional<sim::ScreenRect> menu = openMenu();
    ASSERT_TRUE(menu);
    choose(*menu, MenuItem::quit);
    EXPECT_EQ(utility->waitForExit(eventTimeout), 0);
}

// Without a display it can use the utility says so in one line; when Qt cannot start for
// another reason (a platform plugin that is not installed), a line and Qt's own reason. Status 1
// either way.
struct StartEnvironment {
    const char* what;
    std::optional<std::string> display;
    std::optional<std::string> platform;
    // A platform plugin that, where it is not installed, is the reason Qt gives.
    const char* missingPlugin = nullptr;
};

void PrintTo(const StartEnvironment& environment, std::ostream* out) {
    *out << environment.what;
}

bool platformPluginInstalled(const QString& name) {
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms");
    return !platforms.entryList({"libq" + name + "*.so"}).isEmpty();
}

class UtilityStartTest : public ::testing::TestWithParam<StartEnvironment> {};

TEST_P(UtilityStartTest, WithoutAUsableDisplayOrPlatformTheUtilitySaysWhyAndEndsWithStatusOne) {
    sim::ChildProcess utility(VISTREL_UTILITY_PATH, {},
                              {{"DISPLAY", GetParam().display},
                               {"QT_QPA_PLATFORM", GetParam().platform},
                               {"WAYLAND_DISPLAY", std::nullopt},
                               {"XDG_SESSION_TYPE", std::nullopt}},
                              sim::ChildProcess::StandardError::read);
    EXPECT_EQ(utility.waitForExit(std::chrono::seconds(10)), 1);
    const Lines lines = utility.lines();
    const char* plugin = GetParam().missingPlugin;
    if (plugin == nullptr || platformPluginInstalled(QString::fromLatin1(plugin))) {
        EXPECT_EQ(lines,
                  Lines{"vistrel-utility needs a desktop session: no display could be opened."});
        return;
    }
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "vistrel-utility could not start its user interface. Qt reports:");
    const std::string reason =
        std::string("qt.qpa.plugin: Could not find the Qt platform plugin \"") + plugin + "\"";
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&reason](const std::string& line) {
        return line.rfind(reason, 0) == 0;
    })) << reason;
}

INSTANTIATE_TEST_SUITE_P(
    Environments, UtilityStartTest,
    ::testing::Values(StartEnvironment{"NoDisplay", std::nullopt, std::nullopt},
                      StartEnvironment{"NoDisplayXcb", std::nullopt, "xcb"},
                      StartEnvironment{"NoDisplayWayland", std::nullopt, "wayland", "wayland"},
                      StartEnvironment{"DisplayNotRunning", ":917", std::nullopt},
                      StartEnvironment{"DisplayNotRunningXcb", ":917", "xcb"},
                      StartEnvironment{"PlatformNotInstalled", ":917", "bogus", "bogus"}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace app
