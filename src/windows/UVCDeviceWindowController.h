#pragma once
// The control window of one camera: built in code at 480 x 270, titled and closable but neither
// resizable nor minimizable, filled with the scene "UVCDeviceViewController", faded out on close.

#include "windows/BaseWindowController.h"
#include "windows/UVCDeviceWindowModel.h"

#include <QSizeF>

#include <functional>
#include <memory>
#include <string_view>

namespace windows {

// Made with std::make_shared; windowModel is set before the window is first requested.
class UVCDeviceWindowController : public BaseWindowController {
    Q_OBJECT

public:
    static constexpr std::string_view windowModelMissing =
        "windowModel must be set before the window is requested";

    UVCDeviceWindowController();
    // Stops the process, as for every window built in code.
    explicit UVCDeviceWindowController(const platform::Coder& coder);

    std::shared_ptr<UVCDeviceWindowModel> windowModel() const;
    void setWindowModel(std::shared_ptr<UVCDeviceWindowModel> windowModel);

    // Called when the window closes.
    const std::function<void()>& willClose() const;
    void setWillClose(std::function<void()> willClose);

    // Fades the window out, then closes it and makes it opaque again.
    Q_INVOKABLE void cancel(QObject* sender = nullptr);

    // A close request of the user starts the fade and is refused.
    bool windowShouldClose(QWidget* sender) override;
    void windowWillClose() override;

    QSizeF contentSize() const { return windowContentSize; }

protected:
    void loadWindow() override;
    void windowDidLoad() override;

private:
    const QSizeF windowContentSize{480, 270};
    std::shared_ptr<UVCDeviceWindowModel> model;
    std::function<void()> willCloseHandler;
};

} // namespace windows
