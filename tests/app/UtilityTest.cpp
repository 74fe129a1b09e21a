#include "UtilityTest.h"

#include <QDir>
#include <QFile>

namespace app {

namespace {

constexpr const char* storedProfile =
    "[General]\nKeystroke_Setting=Enter\nKeystroke_Delay=disabled\n";

} // namespace

UtilityTest::UtilityTest() {
    camera.plug();
    QDir(configHome.path()).mkpath("VISTREL");
    QFile settings(configHome.filePath("VISTREL/Vistrel Utility.conf"));
    EXPECT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(storedProfile);
}

std::unique_ptr<sim::ChildProcess>
UtilityTest::startUtility(sim::ChildProcess::StandardError standardError) const {
    return std::make_unique<sim::ChildProcess>(
        VISTREL_UTILITY_PATH, std::vector<std::string>{},
        std::map<std::string, std::optional<std::string>>{
            {"UMOCKDEV_DIR", camera.umockdevDir()},
            {"LD_PRELOAD", "libumockdev-preload.so.0"},
            {"QT_QPA_PLATFORM", "xcb"},
            {"XDG_CONFIG_HOME", configHome.path().toStdString()},
            {"XDG_RUNTIME_DIR", runtimeDir.path().toStdString()},
            {"XDG_CURRENT_DESKTOP", std::nullopt},
            {"LSAN_OPTIONS", "suppressions=" VISTREL_UTILITY_LSAN_SUPPRESSIONS}},
        standardError);
}

std::optional<sim::ScreenRect> UtilityTest::openMenu() {
    std::optional<sim::ScreenRect> menu;
    for (int attempt = 0; attempt < 5 && !menu; ++attempt) {
        const std::optional<sim::ScreenRect> icon = tray->waitForIcon("vistrel", eventTimeout);
        if (!icon) {
            return std::nullopt;
        }
        tray->click(*icon);
        menu = tray->waitForPopup("vistrel", std::chrono::seconds(2));
    }
    return menu;
}

void UtilityTest::choose(const sim::ScreenRect& menu, MenuItem item) {
    const int middle = item == MenuItem::camera
                           ? menu.y + 10
                           : menu.y + menu.height - (item == MenuItem::about ? 34 : 12);
    tray->click({menu.x, middle - 4, menu.width, 8});
}

} // namespace app
