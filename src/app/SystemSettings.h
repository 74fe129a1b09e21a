#pragma once
// The desktop's own settings application, opened at the page that stands for a privacy anchor
// of the security settings: the camera page, the accessibility page.

#include <QString>
#include <QStringList>

#include <optional>
#include <string_view>

namespace app {

class SystemSettings {
public:
    static constexpr std::string_view privacyCamera = "Privacy_Camera";
    static constexpr std::string_view privacyAccessibility = "Privacy_Accessibility";

    struct Page {
        QString program;
        QStringList arguments;
        bool operator==(const Page&) const = default;
    };

    // The page of the first desktop named in desktops (XDG_CURRENT_DESKTOP, e.g.
    // "ubuntu:GNOME") that has one for the anchor; none for any other desktop or anchor.
    static std::optional<Page> page(std::string_view anchor, const QString& desktops);

    // Starts the settings application of the current desktop at the anchor's page, detached.
    // False when the desktop has no such page or the program cannot be started.
    static bool open(std::string_view anchor);
};

} // namespace app
