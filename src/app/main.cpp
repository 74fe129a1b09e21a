#include <QApplication>

#include <cstdio>
#include <cstdlib>

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
    QApplication app(argc, argv);
    QApplication::setOrganizationName("VISTREL");
    QApplication::setApplicationName("Vistrel Utility");
    QApplication::setQuitOnLastWindowClosed(false);
    return 0;
}
