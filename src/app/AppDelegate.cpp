#include "app/AppDelegate.h"

#include "app/StatusItem.h"
#include "app/SystemSettings.h"
#include "device/UVCConsole.h"
#include "platform/core/Bundle.h"
#include "platform/core/CaptureAccess.h"
#include "platform/core/Dispatch.h"
#include "platform/widgets/Alert.h"
#include "platform/widgets/Application.h"

#include <libusb.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <unistd.h>
#include <utility>

namespace app {

namespace {

constexpr int cameraVendorId = 0x0C45;
constexpr int cameraProductId = 0x6366;

void printLine(std::string_view text) {
    device::UVCConsole::printLine(text);
}

std::string idsOf(const libusb_device_descriptor& descriptor) {
    return std::to_string(descriptor.idVendor) + ":" + std::to_string(descriptor.idProduct);
}

QString localized(const char* key) {
    return platform::Bundle::main().localizedString(QString::fromLatin1(key));
}

} // namespace

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching() {
    platform::CaptureAccess::requestAccess([self = shared_from_this()](bool granted) {
        platform::Dispatch::main().async([self, granted] {
            if (!granted) {
                self->showAccessErrorAndQuit();
                return;
            }
            std::shared_ptr<StatusItem> previous =
                std::exchange(self->statusItem, StatusItem::make());
            previous.reset();
            self->start();
        });
    });
}

void AppDelegate::showAccessErrorAndQuit() {
    platform::Alert alert;
    alert.setAlertStyle(platform::Alert::Style::critical);
    alert.setMessageText(localized("Permission_Denied.Title"));
    alert.setInformativeText(localized("Permission_Denied.Message"));
    alert.addButton(localized("Open_System_Preferences"));
    alert.addButton(localized("OK"));
    if (alert.runModal() == platform::Alert::firstButtonReturn) {
        SystemSettings::open(SystemSettings::privacyCamera);
        SystemSettings::open(SystemSettings::privacyAccessibility);
    }
    platform::Application::shared().terminate();
}

void AppDelegate::start() {
    const int initialized = seams.initResult ? *seams.initResult : libusb_init(&context);
    if (initialized != 0) {
        printLine(initFailedLine);
        std::exit(1);
    }
    const auto callback = [](libusb_context* callbackContext, libusb_device* device,
                             libusb_hotplug_event event, void* userData) {
        return hotplugCallback(callbackContext, device, static_cast<uint32_t>(event), userData);
    };
    const int registered =
        seams.registrationResult
            ? *seams.registrationResult
            : libusb_hotplug_register_callback(
                  context,
                  static_cast<libusb_hotplug_event>(LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED |
                                                    LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT),
                  static_cast<libusb_hotplug_flag>(0), cameraVendorId, cameraProductId,
                  LIBUSB_HOTPLUG_MATCH_ANY, callback, this, &callbackHandle);
    if (registered != 0) {
        printLine(registrationFailedLine);
        libusb_exit(context);
        std::exit(1);
    }
    watch->running = true;
    const bool started =
        platform::Dispatch::global().async([self = shared_from_this(), state = watch]() mutable {
            self->runEventLoop();
            // Whoever lets the delegate go last, its end runs on the main thread, never here.
            platform::Dispatch::main().async([released = std::move(self)] {});
            state->running = false;
            state->running.notify_all();
        });
    // Without a thread there is no loop for a quit to wait for.
    if (!started) {
        watch->running = false;
    }
}

void AppDelegate::runEventLoop() {
    while (count < countLimit && !watch->stopRequested) {
        libusb_handle_events_completed(context, nullptr);
        pause(loopPause);
    }
    endEventLoop();
}

void AppDelegate::endEventLoop() {
    // A wake-up that saw the context still in place finishes before the context goes.
    watch->contextReleased = true;
    while (watch->wakeUpsInProgress != 0) {
        std::this_thread::yield();
    }
    libusb_hotplug_deregister_callback(context, callbackHandle);
    libusb_exit(context);
}

void AppDelegate::pause(std::chrono::microseconds length) const {
    if (seams.pause) {
        seams.pause(length);
    } else {
        usleep(static_cast<useconds_t>(length.count()));
    }
}

void AppDelegate::stopWatch() {
    if (!watch->running) {
        return;
    }
    watch->stopRequested = true;
    ++watch->wakeUpsInProgress;
    if (!watch->contextReleased) {
        libusb_interrupt_event_handler(context);
    }
    --watch->wakeUpsInProgress;
    watch->running.wait(true);
}

int AppDelegate::hotplugCallback(libusb_context* /*context*/, libusb_device* device, uint32_t event,
                                 void* userData) {
    if (userData == nullptr) {
        return 0;
    }
    const std::shared_ptr<AppDelegate> self =
        static_cast<AppDelegate*>(userData)->shared_from_this();
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(device, &descriptor) != 0) {
        printLine(descriptorFailedLine);
        return 0;
    }
    if (event == LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT) {
        printLine(std::string(leftLine) + idsOf(descriptor));
    } else if (event == LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED) {
        libusb_device_handle* handle = nullptr;
        if (libusb_open(device, &handle) != 0) {
            printLine(openFailedLine);
        } else {
            printLine(std::string(arrivedLine) + idsOf(descriptor));
            libusb_close(handle);
            self->reinitializeStatusItem();
        }
    } else {
        printLine(std::string(unhandledLine) + std::to_string(event));
    }
    ++self->count;
    return 0;
}

void AppDelegate::reinitializeStatusItem() {
    platform::Dispatch::main().async([self = shared_from_this()] {
        std::shared_ptr<StatusItem> previous = std::exchange(self->statusItem, StatusItem::make());
        previous.reset();
    });
}

} // namespace app
