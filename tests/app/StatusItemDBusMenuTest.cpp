// The real vistrel-utility against the simulated camera on a virtual display and a session bus
// of the test's own, where a panel's watcher makes it show its tray icon as a
// StatusNotifierItem: the panel's own menu is a copy of the utility's over D-Bus, which the
// panel fetches again only when the utility signals a new layout.
#include "UtilityEnvironment.h"
#include "support/ChildProcess.h"
#include "support/Contrast.h"
#include "support/DBusMenuClient.h"
#include "support/EventLoop.h"
#include "support/SessionBus.h"
#include "support/SimulatedCamera.h"
#include "support/StatusNotifierWatcher.h"
#include "support/VirtualDisplay.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>

namespace app {

namespace {

using namespace std::chrono_literals;

constexpr auto startTimeout = 20s;
constexpr auto eventTimeout = 10s;

struct Entry {
    std::string label; // "-" for a separator
    bool enabled = true;
    bool operator==(const Entry&) const = default;
};
using Entries = std::vector<Entry>;

const Entries cameraMenu{{"VISTREL"}, {"-"}, {"About Vistrel Utility"}, {"Quit Vistrel Utility"}};
const Entries noCameraMenu{
    {"No camera found", false}, {"-"}, {"About Vistrel Utility"}, {"Quit Vistrel Utility"}};

class StatusItemDBusMenuTest : public ::testing::Test {
protected:
    void startUtility() {
        Environment environment = utilityEnvironment(camera, configHome);
        environment["DBUS_SESSION_BUS_ADDRESS"] = bus.address();
        utility = std::make_unique<sim::ChildProcess>(VISTREL_UTILITY_PATH,
                                                      std::vector<std::string>{}, environment);
    }

    long timesPrinted(const std::string& line) {
        const std::vector<std::string> lines = utility->lines();
        return std::count(lines.begin(), lines.end(), line);
    }
    // Waits, serving the bus meanwhile, until the utility has printed the line more often.
    bool printedMoreThan(const std::string& line, long times) {
        return sim::runEventLoopUntil([&] { return timesPrinted(line) > times; }, eventTimeout);
    }

    // The panel's menu: the copy of the newest item's, as a panel keeps one per item.
    Entries panelMenu() {
        const std::vector<sim::StatusNotifierWatcher::Item>& items = watcher.items();
        if (items.empty()) {
            menu.reset();
            return {};
        }
        if (!menu || menuService != items.back().service) {
            menuService = items.back().service;
            menu = std::make_unique<sim::DBusMenuClient>(panelSide, items.back());
        }
        Entries entries;
        for (const sim::DBusMenuClient::Item& item : menu->items()) {
            const QVariantMap& properties = item.properties;
            entries.push_back({properties.value("type").toString() == "separator"
                                   ? "-"
                                   : properties.value("label").toString().toStdString(),
                               properties.value("enabled", true).toBool()});
        }
        return entries;
    }

    bool panelMenuBecomes(const Entries& expected,
                          std::chrono::milliseconds timeout = eventTimeout) {
        return sim::runEventLoopUntil([&] { return panelMenu() == expected; }, timeout);
    }

    QTemporaryDir configHome;
    sim::SimulatedCamera camera;
    sim::VirtualDisplay display;
    sim::SessionBus bus;
    QDBusConnection panelSide = bus.connection();
    sim::StatusNotifierWatcher watcher{panelSide};
    std::unique_ptr<sim::DBusMenuClient> menu;
    QString menuService;
    std::unique_ptr<sim::ChildProcess> utility;
};

// Started with the camera (true) or without it: unplugged and plugged, or the other way round.
class StatusItemDBusMenuPlugTest : public StatusItemDBusMenuTest,
                                   public ::testing::WithParamInterface<bool> {};

} // namespace

TEST_P(StatusItemDBusMenuPlugTest, ThePanelsCopyOfTheMenuFollowsEveryUnplugAndPlug) {
    if (GetParam()) {
        camera.plug();
    }
    startUtility();
    ASSERT_TRUE(panelMenuBecomes(camera.isPlugged() ? cameraMenu : noCameraMenu, startTimeout));
    for (int change = 0; change < 2; ++change) {
        const bool plugging = !camera.isPlugged();
        SCOPED_TRACE(plugging ? "plugged" : "unplugged");
        const uint revision = menu->signalledRevision();
        const std::string line =
            plugging ? "Device added: VISTREL" : "Device disconnected: VISTREL";
        const long before = timesPrinted(line);
        plugging ? camera.plug() : camera.unplug();
        ASSERT_TRUE(printedMoreThan(line, before));
        // The item stays on an unplug (only an arrival replaces it): its layout moved on.
        if (!plugging) {
            EXPECT_TRUE(sim::runEventLoopUntil([&] {
                return menu->signalledRevision() > revision;
            })) << "no layout update";
        }
        EXPECT_TRUE(panelMenuBecomes(plugging ? cameraMenu : noCameraMenu));
    }
    // Each item of the copy is a live item of the utility's menu: Quit quits.
    ASSERT_EQ(menu->items().size(), 4U);
    menu->click(menu->items().back().id);
    EXPECT_TRUE(sim::runEventLoopUntil([&] { return !utility->running(); }, eventTimeout));
    EXPECT_EQ(utility->waitForExit(eventTimeout), 0);
}

INSTANTIATE_TEST_SUITE_P(Starts, StatusItemDBusMenuPlugTest, ::testing::Bool(),
                         [](const auto& info) {
                             return info.param ? "WithTheCamera" : "WithoutTheCamera";
                         });

// The panel draws the menu's icons in its own menu, whose colour the utility does not know.
TEST_F(StatusItemDBusMenuTest, ThePanelsMenuIconsStandOutOnDarkAndLightMenus) {
    startUtility();
    ASSERT_TRUE(panelMenuBecomes(noCameraMenu, startTimeout));
    for (const sim::DBusMenuClient::Item& item : menu->items()) {
        const QByteArray png = item.properties.value("icon-data").toByteArray();
        if (item.properties.value("type").toString() == "separator") {
            continue;
        }
        const QImage icon = QImage::fromData(png, "PNG");
        ASSERT_FALSE(icon.isNull()) << item.properties.value("label").toString().toStdString();
        for (const QColor& surface : {QColor(0x35, 0x35, 0x35), QColor(0xf0, 0xf0, 0xf0)}) {
            EXPECT_GE(sim::iconContrast(icon, surface), 3.0) << surface.name().toStdString();
        }
    }
}

} // namespace app
