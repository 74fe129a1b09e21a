#include "platform/core/CaptureDeviceMonitor.h"

#include "platform/core/CaptureDeviceDiscovery.h"
#include "platform/core/NotificationCenter.h"

#include <QSocketNotifier>

#include <libudev.h>

#include <string_view>

namespace platform {

CaptureDeviceMonitor::CaptureDeviceMonitor()
    : context(nullptr, &udev_unref)
    , monitor(nullptr, &udev_monitor_unref) {}

CaptureDeviceMonitor::~CaptureDeviceMonitor() = default;

bool CaptureDeviceMonitor::start() {
    if (notifier) {
        return true;
    }
    context.reset(udev_new());
    if (!context) {
        return false;
    }
    monitor.reset(udev_monitor_new_from_netlink(context.get(), "udev"));
    if (!monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), "video4linux", nullptr) <
            0 ||
        udev_monitor_enable_receiving(monitor.get()) < 0) {
        monitor.reset();
        context.reset();
        return false;
    }
    // Listed after receiving was enabled, so that no device falls between the two.
    for (const CaptureDevice& device : CaptureDeviceDiscovery::devices()) {
        known.insert_or_assign(device.nodePath(), device);
    }
    notifier = std::make_unique<QSocketNotifier>(udev_monitor_get_fd(monitor.get()),
                                                 QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                     [this] { receive(); });
    return true;
}

// One event per wake-up: the notifier fires again while more are waiting.
void CaptureDeviceMonitor::receive() {
    std::unique_ptr<udev_device, udev_device* (*)(udev_device*)> node(
        udev_monitor_receive_device(monitor.get()), &udev_device_unref);
    if (!node) {
        return;
    }
    const char* action = udev_device_get_action(node.get());
    std::string_view event = action == nullptr ? std::string_view() : std::string_view(action);
    QString path = CaptureDeviceDiscovery::nodePath(node.get());
    if (event == "add") {
        if (auto device = CaptureDeviceDiscovery::captureDevice(node.get())) {
            added(path, *device);
        }
    } else if (event == "remove") {
        removed(path);
    }
}

void CaptureDeviceMonitor::added(const QString& node, const CaptureDevice& device) {
    known.insert_or_assign(node, device);
    NotificationCenter::defaultCenter().post(CaptureDeviceWasConnected, device);
}

void CaptureDeviceMonitor::removed(const QString& node) {
    auto found = known.find(node);
    if (found == known.end()) {
        return;
    }
    CaptureDevice device = found->second;
    known.erase(found);
    NotificationCenter::defaultCenter().post(CaptureDeviceWasDisconnected, device);
}

} // namespace platform
