#pragma once
// The About window's content: writes the application's version into its label each time the
// window is about to show it.

#include "platform/widgets/ViewController.h"

#include <QLabel>
#include <QPointer>

namespace windows {

class AboutViewController : public platform::ViewController {
    Q_OBJECT
    Q_PROPERTY(QLabel* versionLabel READ versionLabel WRITE setVersionLabel)

public:
    explicit AboutViewController(const platform::Coder& coder);

    QLabel* versionLabel() const;
    void setVersionLabel(QLabel* label);

protected:
    // "v" and the bundle's short version, or "v1.0" when it has none.
    void viewWillAppear() override;

private:
    QPointer<QLabel> label;
};

} // namespace windows
