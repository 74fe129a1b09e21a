#pragma once
// The tray icon with its menu: lists the connected camera (one UVCDevicePanel each), follows
// capture devices coming and going, and opens the control window, the About window, or quits.

#include "platform/core/CaptureDevice.h"

#include <QMenu>

#include <memory>
#include <string_view>
#include <vector>

class QAction;

namespace platform {
class StatusBarItem;
}
namespace windows {
class AboutWindowController;
}

namespace app {

class UVCDevicePanel;

// Made by make() and owned by the application delegate only. Everything on the main thread.
class StatusItem : public std::enable_shared_from_this<StatusItem> {
    struct Key {
        explicit Key() = default;
    };

public:
    static constexpr std::string_view cameraName = "VISTREL";
    static constexpr std::string_view refreshingLine = "Refreshing device list...";
    static constexpr std::string_view addedLine = "Device added: ";
    static constexpr std::string_view removedLine = "Device removed: ";
    static constexpr std::string_view connectedLine = "Device connected: ";
    static constexpr std::string_view disconnectedLine = "Device disconnected: ";

    // Fully built: tray icon, menu, both observations, one discovery pass, menu once more.
    static std::shared_ptr<StatusItem> make();
    explicit StatusItem(Key);
    ~StatusItem();
    StatusItem(const StatusItem&) = delete;
    StatusItem& operator=(const StatusItem&) = delete;

    const std::vector<std::shared_ptr<UVCDevicePanel>>& uvcDevicePanels() const { return panels; }
    bool connected() const { return isConnected; }
    // The About window's controller, made from the storyboard on the first request.
    const std::shared_ptr<windows::AboutWindowController>& aboutWindowController();
    const platform::StatusBarItem& statusItem() const { return *barItem; }
    // The menu the tray shows: made once, refilled by every rebuild.
    const std::shared_ptr<QMenu>& menu() const { return currentMenu; }

    // Registers for capture devices coming and going; the observations are never removed and
    // hold this item weakly.
    void setupObservers();
    // A discovery pass over the capture devices present now.
    void refreshDeviceList();
    // Lists the cameras named "VISTREL" among the devices, except those already listed.
    void devicesWasConnected(const std::vector<platform::CaptureDevice>& devices);
    // Removes the first panel of each device named "VISTREL".
    void devicesWasDisconnected(const std::vector<platform::CaptureDevice>& devices);
    void refreshMenu();
    // The camera item's action: opens the control window of its device.
    void deviceMenuItemAction(const QAction& item);
    void showAbout();

private:
    bool isListed(const platform::CaptureDevice& device) const;
    void addCameraItem();
    QAction* makeItem(const char* key, const char* image) const;
    QAction* addItem(const char* key, const char* image) const;

    std::shared_ptr<platform::StatusBarItem> barItem;
    std::shared_ptr<QMenu> currentMenu;
    std::vector<std::shared_ptr<UVCDevicePanel>> panels;
    bool isConnected = false;
    std::shared_ptr<windows::AboutWindowController> about;
};

} // namespace app
