#pragma once
// The running application as a whole: brings its windows to the front and ends it.

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace platform {

class Application : public QObject {
    Q_OBJECT

public:
    // The one application object. Call it once early (before windows are shown) so that
    // activation knows the order in which the windows were last shown, raised or activated.
    static Application& shared();

    // Brings every visible window of the application forward, the one shown, raised or activated
    // last on top and active. X11 offers no activation that defers to other applications, so both
    // values of ignoringOtherApps bring the windows forward.
    void activate(bool ignoringOtherApps);

    // Ends the main event loop with status 0, so the application's exec() returns. Windows
    // are not asked: their close requests may be refused (our controllers fade first).
    void terminate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Application() = default;
    void followWindows();
    std::vector<QWidget*> visibleWindowsInOrder() const;

    QPointer<QCoreApplication> followedApp;
    // Windows in the order they were last shown, raised or activated, oldest first.
    std::vector<QPointer<QWidget>> recentWindows;
};

} // namespace platform
