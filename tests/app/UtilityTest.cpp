#include "UtilityTest.h"

#include "UtilityEnvironment.h"

#include <QDir>
#include <QFile>

namespace app {

namespace {

constexpr const char* storedProfile =
    "[General]\nKeystroke_Setting=Enter\nKeystroke_Delay=disabled\n";

} // namespace

UtilityTest::UtilityTest(sim::TransferRoute route) {
    if (route == sim::TransferRoute::videoNode) {
        camera.bindDriver();
    }
    camera.plug();
    QDir(configHome.path()).mkpath("VISTREL");
    QFile settings(configHome.filePath("VISTREL/Vistrel Utility.conf"));
    EXPECT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(storedProfile);
}

std::unique_ptr<sim::ChildProcess>
UtilityTest::startUtility(sim::ChildProcess::StandardError standardError) const {
    Environment environment = utilityEnvironment(camera, configHome);
    environment["XDG_RUNTIME_DIR"] = runtimeDir.path().toStdString();
    return std::make_unique<sim::ChildProcess>(VISTREL_UTILITY_PATH, std::vector<std::string>{},
                                               environment, standardError);
}

std::optional<sim::ScreenRect> UtilityTest::openMenu() {
    const std::optional<sim::ScreenRect> menu = tray->openMenu("vistrel", eventTimeout);
    EXPECT_TRUE(menu);
    if (menu) {
        EXPECT_EQ(tray->waitForMenuRows(*menu, menuRows, eventTimeout).size(), menuRows);
    }
    return menu;
}

void UtilityTest::choose(const sim::ScreenRect& menu, MenuItem item) {
    const std::vector<sim::ScreenRect> rows = tray->waitForMenuRows(menu, menuRows, eventTimeout);
    ASSERT_EQ(rows.size(), menuRows);
    EXPECT_TRUE(tray->chooseRow(menu, rows[static_cast<std::size_t>(item)], eventTimeout));
}

} // namespace app
