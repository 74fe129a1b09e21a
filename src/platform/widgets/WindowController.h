#pragma once
// Owns a top-level window, makes it on first request and acts as its delegate: a close request
// of the user asks windowShouldClose, every close tells windowWillClose.

#include "platform/widgets/Coder.h"
#include "platform/widgets/ViewController.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

namespace platform {

// Held through std::shared_ptr. The controller owns its window and its content view
// controller; the window ends with the controller.
class WindowController : public QObject, public std::enable_shared_from_this<WindowController> {
    Q_OBJECT

public:
    // No window yet: the first request makes it through loadWindow.
    WindowController();
    // Takes the given window as its own; it counts as loaded and windowDidLoad is not called.
    explicit WindowController(std::unique_ptr<QWidget> window);
    // Made from a scene: the coder's widget becomes the window on first request.
    explicit WindowController(const Coder& coder);
    ~WindowController() override;

    WindowController(const WindowController&) = delete;
    WindowController& operator=(const WindowController&) = delete;

    // The window; while there is none, a request calls loadWindow and then, when a window has
    // been set, windowDidLoad.
    QWidget* window();
    // Takes the window over; a previous one ends. Made for loadWindow.
    void setWindow(std::unique_ptr<QWidget> window);

    // The name of the interface file the window comes from; none by default.
    virtual std::optional<QString> windowNibName() const;

    // Makes the window when needed, shows it and brings it to the front. At its first showing
    // the window is kept inside its screen with its frame, once the frame is known.
    void showWindow();
    // Closes the window without asking windowShouldClose; windowWillClose is still called.
    // Does nothing when the window has not been made.
    void close();

    // The window shows this controller's view as its content and takes on its preferred
    // content size, now and whenever it changes, with its top-left corner kept; a window that
    // grows past its screen's available area moves back inside it. Set once: a replaced
    // controller's view stays in the window until that controller ends.
    std::shared_ptr<ViewController> contentViewController() const;
    void setContentViewController(std::shared_ptr<ViewController> controller);

    // Asked when someone other than this controller closes the window (the title bar's close
    // button, for one); false keeps the window open. Answers true unless overridden.
    virtual bool windowShouldClose(QWidget* sender);
    // Called when the window is about to close.
    virtual void windowWillClose();

protected:
    // Makes the window: the scene's widget when there is one. Subclasses that build their
    // window in code call setWindow here.
    virtual void loadWindow();
    // Once, after loadWindow has given the controller a window.
    virtual void windowDidLoad();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handleClose(QEvent* event);
    void installContent();
    void applyContentSize(const QSize& size);

    QPointer<QWidget> windowWidget;
    QPointer<QWidget> sceneWindow;
    std::shared_ptr<ViewController> contentController;
    bool closingFromController = false;
    bool shownOnce = false;
    // Close events of the window being handled right now: the window must outlive them.
    int closeEventsInProgress = 0;
};

} // namespace platform
