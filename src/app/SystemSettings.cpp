#include "app/SystemSettings.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace app {

namespace {

struct DesktopPage {
    const char* desktop;
    std::string_view anchor;
    const char* program;
    const char* argument;
};

// KDE Plasma and Xfce have no camera privacy page; their accessibility pages are listed.
constexpr DesktopPage desktopPages[] = {
    {"GNOME", SystemSettings::privacyCamera, "gnome-control-center", "camera"},
    {"GNOME", SystemSettings::privacyAccessibility, "gnome-control-center", "universal-access"},
    {"KDE", SystemSettings::privacyAccessibility, "systemsettings", "kcm_access"},
    {"XFCE", SystemSettings::privacyAccessibility, "xfce4-accessibility-settings", nullptr},
};

} // namespace

std::optional<SystemSettings::Page> SystemSettings::page(std::string_view anchor,
                                                         const QString& desktops) {
    for (const QString& desktop : desktops.split(':', Qt::SkipEmptyParts)) {
        for (const DesktopPage& candidate : desktopPages) {
            if (candidate.anchor == anchor &&
                desktop.compare(QLatin1String(candidate.desktop), Qt::CaseInsensitive) == 0) {
                QStringList arguments;
                if (candidate.argument != nullptr) {
                    arguments.append(QString::fromLatin1(candidate.argument));
                }
                return Page{QString::fromLatin1(candidate.program), arguments};
            }
        }
    }
    return std::nullopt;
}

bool SystemSettings::open(std::string_view anchor) {
    const QString desktops =
        QProcessEnvironment::systemEnvironment().value(QStringLiteral("XDG_CURRENT_DESKTOP"));
    const std::optional<Page> found = page(anchor, desktops);
    return found && QProcess::startDetached(found->program, found->arguments);
}

} // namespace app
