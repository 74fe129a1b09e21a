#include "platform/widgets/Application.h"

#include <QApplication>
#include <QEvent>

#include <algorithm>

namespace platform {

namespace {

bool isApplicationWindow(const QWidget* widget) {
    const Qt::WindowType type = widget->windowType();
    return widget->isWindow() && (type == Qt::Window || type == Qt::Dialog);
}

} // namespace

Application& Application::shared() {
    static Application application;
    application.followWindows();
    return application;
}

void Application::activate([[maybe_unused]] bool ignoringOtherApps) {
    const std::vector<QWidget*> windows = visibleWindowsInOrder();
    for (QWidget* window : windows) {
        window->raise();
    }
    if (!windows.empty()) {
        windows.back()->activateWindow();
    }
}

void Application::terminate() {
    // quit() would first send every window a close event and give up when one is refused.
    QCoreApplication::exit(0);
}

void Application::followWindows() {
    // Watches the current application object once it exists, whenever shared() is asked.
    QCoreApplication* app = QCoreApplication::instance();
    if (app != nullptr && app != followedApp) {
        app->installEventFilter(this);
        followedApp = app;
    }
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
    // A raise counts too: a window brought forward while already shown has its activation
    // still pending when the application is activated right after (nothing here lowers one).
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::WindowActivate || type == QEvent::ZOrderChange) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && isApplicationWindow(widget)) {
            std::erase_if(recentWindows, [widget](const QPointer<QWidget>& window) {
                return window.isNull() || window == widget;
            });
            recentWindows.emplace_back(widget);
        }
    }
    return QObject::eventFilter(watched, event);
}

std::vector<QWidget*> Application::visibleWindowsInOrder() const {
    // Windows never seen shown come first, in no particular order; then the others as they
    // were last shown or activated.
    std::vector<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        const bool seen = std::any_of(recentWindows.begin(), recentWindows.end(),
                                      [widget](const auto& window) { return window == widget; });
        if (!seen && widget->isVisible() && isApplicationWindow(widget)) {
            windows.push_back(widget);
        }
    }
    for (const QPointer<QWidget>& window : recentWindows) {
        if (!window.isNull() && window->isVisible()) {
            windows.push_back(window.data());
        }
    }
    return windows;
}

} // namespace platform
