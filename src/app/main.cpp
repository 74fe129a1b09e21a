#include "app/AppDelegate.h"
#include "app/ApplicationMain.h"
#include "app/DisplayGuard.h"
#include "app/SingleInstance.h"
#include "platform/core/Bundle.h"
#include "platform/core/CaptureDeviceMonitor.h"
#include "platform/widgets/Application.h"
#include "windows/MainScenes.h"

#include <QApplication>
#include <QSystemTrayIcon>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

int main(int argc, char* argv[]) {
    // Without a usable display, whatever the platform chosen, one line and status 1.
    std::optional<app::DisplayGuard> displayGuard(std::in_place);
    QApplication application(argc, argv);
    displayGuard.reset();
    // A second utility in the session would poll the button too and type every press twice; it
    // ends here, before it touches the camera or the tray.
    const app::SingleInstance instance(app::SingleInstance::sessionDisplay(),
                                       app::SingleInstance::lockDirectory());
    if (!instance.isFirst()) {
        std::fprintf(stderr, "%.*s\n",
                     static_cast<int>(app::SingleInstance::alreadyRunningLine.size()),
                     app::SingleInstance::alreadyRunningLine.data());
        return 0;
    }
    QApplication::setOrganizationName("VISTREL");
    QApplication::setApplicationName("Vistrel Utility");
    QApplication::setQuitOnLastWindowClosed(false);
    platform::Bundle::main().installLocalization();
    // Every window's, so that the title bar and the task bar show the utility's own.
    QApplication::setWindowIcon(platform::Bundle::main().image(QStringLiteral("vistrel-utility")));
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
