#include "app/AppDelegate.h"
#include "app/ApplicationMain.h"
#include "platform/core/Bundle.h"
#include "platform/core/CaptureDeviceMonitor.h"
#include "platform/widgets/Application.h"
#include "windows/MainScenes.h"

#include <QApplication>
#include <QSystemTrayIcon>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Qt's xcb plugin aborts with a long diagnostic when there is no display; a tray
// utility started from a terminal without a desktop should say so in one line.
bool hasDesktopSession() {
    auto isSet = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char* argv[]) {
    if (!hasDesktopSession()) {
        std::fprintf(stderr, "vistrel-utility needs a desktop session: no display found "
                             "(DISPLAY is not set).\n");
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setOrganizationName("VISTREL");
    QApplication::setApplicationName("Vistrel Utility");
    QApplication::setQuitOnLastWindowClosed(false);
    platform::Bundle::main().installLocalization();
    platform::Application::shared();
    windows::registerMainScenes();
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        std::fprintf(stderr, "vistrel-utility: no system tray found, so its icon and menu are "
                             "not shown; the camera's button still works.\n");
    }
    // Without it no capture device is ever reported coming or going.
    platform::CaptureDeviceMonitor monitor;
    monitor.start();
    const auto delegate = std::make_shared<app::AppDelegate>();
    return app::applicationMain(delegate);
}
