#pragma once
// Controls one view: makes it on first request, tells subclasses when it has loaded and when
// its window is about to show it, and asks the window for the size it prefers.

#include "platform/widgets/Coder.h"

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include <memory>

namespace platform {

// Held through std::shared_ptr. The controller owns its view: the view ends with the
// controller, unless the window holding it ended first.
class ViewController : public QObject, public std::enable_shared_from_this<ViewController> {
    Q_OBJECT

public:
    // A controller whose view is built in code (loadView).
    ViewController();
    // A controller made from a scene: the coder's widget becomes its view.
    explicit ViewController(const Coder& coder);
    ~ViewController() override;

    ViewController(const ViewController&) = delete;
    ViewController& operator=(const ViewController&) = delete;

    // The view; the first request loads it (loadView, then viewDidLoad).
    QWidget* view();
    bool isViewLoaded() const;

    // The size the window showing this view should give its content; an empty size (the
    // default) asks for nothing.
    QSize preferredContentSize() const;
    void setPreferredContentSize(const QSize& size);

    // The window that holds the loaded view, or nullptr while the view is in no window.
    QWidget* window() const;

signals:
    void preferredContentSizeChanged(const QSize& size);

protected:
    // Makes the view: the scene's widget when there is one, else an empty widget. Overrides
    // building their view in code call setView.
    virtual void loadView();
    virtual void viewDidLoad();
    // Each time the window showing the view is about to appear.
    virtual void viewWillAppear();

    void setView(std::unique_ptr<QWidget> view);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> viewWidget;
    bool viewLoaded = false;
    QSize preferredSize;
};

} // namespace platform
