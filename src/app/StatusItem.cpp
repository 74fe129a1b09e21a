#include "app/StatusItem.h"

#include "app/UVCDevicePanel.h"
#include "device/UVCConsole.h"
#include "platform/core/Bundle.h"
#include "platform/core/CaptureDeviceDiscovery.h"
#include "platform/core/NotificationCenter.h"
#include "platform/widgets/Application.h"
#include "platform/widgets/StatusBarItem.h"
#include "windows/AboutWindowController.h"
#include "windows/Storyboard.h"
#include "windows/StoryboardInstantiable.h"

#include <QAction>
#include <QPalette>
#include <QVariant>

#include <algorithm>
#include <string>
#include <utility>

namespace app {

namespace {

void printLine(std::string_view prefix, const QString& name) {
    device::UVCConsole::printLine(std::string(prefix) + name.toStdString());
}

bool isCamera(const platform::CaptureDevice& device) {
    return device.localizedName() ==
           QLatin1String(StatusItem::cameraName.data(), StatusItem::cameraName.size());
}

const platform::CaptureDevice* deviceOf(const platform::Notification& notification) {
    return std::any_cast<platform::CaptureDevice>(&notification.object);
}

QIcon templateImage(const char* name, const QMenu& menu) {
    return platform::StatusBarItem::tinted(
        platform::Bundle::main().templateImage(QString::fromLatin1(name)),
        platform::StatusBarItem::menuTint(menu.palette()));
}

} // namespace

std::shared_ptr<StatusItem> StatusItem::make() {
    auto item = std::make_shared<StatusItem>(Key{});
    item->setupObservers();
    item->refreshDeviceList();
    item->refreshMenu();
    return item;
}

StatusItem::StatusItem(Key)
    : barItem(std::make_shared<platform::StatusBarItem>())
    , currentMenu(std::make_shared<QMenu>()) {
    barItem->setImage(platform::Bundle::main().templateImage(QStringLiteral("status_item")));
    barItem->setMenu(currentMenu);
}

StatusItem::~StatusItem() {
    // The icon leaves the tray first; each panel closes its control window as it ends.
    barItem.reset();
    currentMenu.reset();
    panels.clear();
    about.reset();
}

const std::shared_ptr<windows::AboutWindowController>& StatusItem::aboutWindowController() {
    if (!about) {
        about = windows::StoryboardInstantiable<windows::AboutWindowController>::instantiate(
            windows::Storyboard::main());
    }
    return about;
}

void StatusItem::setupObservers() {
    auto& center = platform::NotificationCenter::defaultCenter();
    const std::weak_ptr<StatusItem> weakSelf = weak_from_this();
    center.addObserver(platform::CaptureDeviceWasConnected,
                       platform::NotificationCenter::Queue::main,
                       [weakSelf](const platform::Notification& notification) {
                           const platform::CaptureDevice* device = deviceOf(notification);
                           if (device == nullptr) {
                               return;
                           }
                           printLine(connectedLine, device->localizedName());
                           if (auto self = weakSelf.lock()) {
                               self->refreshDeviceList();
                           }
                       });
    center.addObserver(platform::CaptureDeviceWasDisconnected,
                       platform::NotificationCenter::Queue::main,
                       [weakSelf](const platform::Notification& notification) {
                           const platform::CaptureDevice* device = deviceOf(notification);
                           if (device == nullptr) {
                               return;
                           }
                           if (auto self = weakSelf.lock()) {
                               self->devicesWasDisconnected({*device});
                           }
                           printLine(disconnectedLine, device->localizedName());
                       });
}

void StatusItem::refreshDeviceList() {
    device::UVCConsole::printLine(refreshingLine);
    devicesWasConnected(platform::CaptureDeviceDiscovery::devices());
}

void StatusItem::devicesWasConnected(const std::vector<platform::CaptureDevice>& devices) {
    for (const platform::CaptureDevice& device : devices) {
        // A listed camera keeps its panel: a second one would poll the same button. The pass
        // still counts it as added, so the menu shows it again after another camera's removal.
        if (isListed(device)) {
            isConnected = true;
            continue;
        }
        std::shared_ptr<UVCDevicePanel> panel = UVCDevicePanel::make(device);
        if (!panel || !isCamera(device)) {
            continue;
        }
        panels.push_back(std::move(panel));
        printLine(addedLine, device.localizedName());
        isConnected = true;
    }
    refreshMenu();
}

void StatusItem::devicesWasDisconnected(const std::vector<platform::CaptureDevice>& devices) {
    for (const platform::CaptureDevice& device : devices) {
        auto found = std::find_if(panels.begin(), panels.end(), [&device](const auto& panel) {
            return panel->captureDevice() == device;
        });
        if (found == panels.end() || !isCamera(device)) {
            continue;
        }
        panels.erase(found);
        printLine(removedLine, device.localizedName());
        isConnected = false;
    }
    refreshMenu();
}

bool StatusItem::isListed(const platform::CaptureDevice& device) const {
    return std::any_of(panels.begin(), panels.end(),
                       [&device](const auto& panel) { return panel->captureDevice() == device; });
}

void StatusItem::refreshMenu() {
    // The one menu is refilled in place: Qt's D-Bus menu reports each removal and insertion to
    // the panel as a layout update, whereas a new menu reaches it only as a new object at the
    // same path, which a panel that cached the layout never fetches.
    for (QAction* item : currentMenu->actions()) {
        currentMenu->removeAction(item);
        item->deleteLater(); // it may be the item whose action runs now
    }
    if (isConnected) {
        addCameraItem();
    } else {
        QAction* none = makeItem("No_Devices", "camera");
        none->setEnabled(false);
        currentMenu->addAction(none);
    }
    currentMenu->addSeparator();
    const std::weak_ptr<StatusItem> weakSelf = weak_from_this();
    QObject::connect(addItem("About_This_App", "about"), &QAction::triggered, [weakSelf] {
        if (auto self = weakSelf.lock()) {
            self->showAbout();
        }
    });
    QObject::connect(addItem("Quit_App", "quit"), &QAction::triggered,
                     [] { platform::Application::shared().terminate(); });
}

void StatusItem::addCameraItem() {
    auto camera = std::find_if(panels.begin(), panels.end(),
                               [](const auto& panel) { return isCamera(panel->captureDevice()); });
    if (camera == panels.end()) {
        return;
    }
    const platform::CaptureDevice& device = (*camera)->captureDevice();
    auto* item = new QAction(templateImage("camera", *currentMenu), device.localizedName(),
                             currentMenu.get());
    item->setData(QVariant::fromValue(device));
    item->setEnabled(true);
    currentMenu->addAction(item);
    const std::weak_ptr<StatusItem> weakSelf = weak_from_this();
    QObject::connect(item, &QAction::triggered, item, [weakSelf, item] {
        if (auto self = weakSelf.lock()) {
            self->deviceMenuItemAction(*item);
        }
    });
}

// Made whole before it joins the menu, so that its insertion carries its final state to a
// panel's copy of the menu.
QAction* StatusItem::makeItem(const char* key, const char* image) const {
    return new QAction(templateImage(image, *currentMenu),
                       platform::Bundle::main().localizedString(QString::fromLatin1(key)),
                       currentMenu.get());
}

QAction* StatusItem::addItem(const char* key, const char* image) const {
    QAction* item = makeItem(key, image);
    currentMenu->addAction(item);
    return item;
}

void StatusItem::deviceMenuItemAction(const QAction& item) {
    const QVariant represented = item.data();
    if (represented.metaType() != QMetaType::fromType<platform::CaptureDevice>()) {
        return;
    }
    const auto device = represented.value<platform::CaptureDevice>();
    auto found = std::find_if(panels.begin(), panels.end(), [&device](const auto& panel) {
        return panel->captureDevice() == device;
    });
    if (found != panels.end()) {
        // The panel may leave the list while its window opens; it lives until open() returns.
        const std::shared_ptr<UVCDevicePanel> panel = *found;
        panel->open();
    }
}

void StatusItem::showAbout() {
    aboutWindowController()->showWindow();
    platform::Application::shared().activate(true);
}

} // namespace app
