#include "app/SystemSettings.h"

#include <gtest/gtest.h>

namespace app {

TEST(SystemSettingsTest, EachKnownDesktopOpensItsOwnPageForAnAnchorAndOthersNothing) {
    using Page = SystemSettings::Page;
    const struct {
        const char* desktops;
        std::string_view anchor;
        std::optional<Page> page;
    } cases[] = {
        {"GNOME", SystemSettings::privacyCamera, Page{"gnome-control-center", {"camera"}}},
        {"ubuntu:GNOME", SystemSettings::privacyAccessibility,
         Page{"gnome-control-center", {"universal-access"}}},
        {"KDE", SystemSettings::privacyCamera, std::nullopt},
        {"KDE", SystemSettings::privacyAccessibility, Page{"systemsettings", {"kcm_access"}}},
        {"XFCE", SystemSettings::privacyAccessibility, Page{"xfce4-accessibility-settings", {}}},
        {"X-Cinnamon", SystemSettings::privacyCamera, std::nullopt},
        {"", SystemSettings::privacyAccessibility, std::nullopt},
        {"GNOME", "Privacy_Microphone", std::nullopt},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(std::string(entry.desktops) + " " + std::string(entry.anchor));
        EXPECT_EQ(SystemSettings::page(entry.anchor, entry.desktops), entry.page);
    }
}

} // namespace app
