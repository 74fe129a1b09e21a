#pragma once
// Watches udev for video capture devices coming and going and posts CaptureDeviceWasConnected
// and CaptureDeviceWasDisconnected, with the CaptureDevice as object, on the default
// notification centre from the main thread.

#include "platform/core/CaptureDevice.h"

#include <QString>

#include <map>
#include <memory>

class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace platform {

class CaptureDeviceMonitor {
public:
    CaptureDeviceMonitor();
    ~CaptureDeviceMonitor();
    CaptureDeviceMonitor(const CaptureDeviceMonitor&) = delete;
    CaptureDeviceMonitor& operator=(const CaptureDeviceMonitor&) = delete;

    // Starts watching; call once, on the main thread. The devices present now are remembered,
    // so that a later removal is posted with the name they had. False when udev cannot be
    // watched; true when already watching.
    bool start();

private:
    void receive();
    void added(const QString& node, const CaptureDevice& device);
    void removed(const QString& node);

    std::unique_ptr<udev, udev* (*)(udev*)> context;
    std::unique_ptr<udev_monitor, udev_monitor* (*)(udev_monitor*)> monitor;
    std::unique_ptr<QSocketNotifier> notifier;
    // The capture devices present, by node path: a removed node can no longer be read.
    std::map<QString, CaptureDevice> known;
};

} // namespace platform
