#include "app/AppDelegate.h"

#include "AppTest.h"
#include "app/ApplicationMain.h"
#include "app/StatusItem.h"
#include "app/UVCDevicePanel.h"
#include "platform/core/CaptureAccess.h"
#include "support/OpenUsbDescriptors.h"
#include "windows/UVCDeviceWindowController.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <libusb.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace app {

namespace {

using namespace std::chrono_literals;

class AppDelegateHotplugTest : public AppTest {
protected:
    AppDelegateHotplugTest() {
        delegate->seams.pause = [this](std::chrono::microseconds length) {
            pauses.push_back(length); // loop thread only; read after the loop ended
            std::this_thread::sleep_for(length);
        };
    }
    ~AppDelegateHotplugTest() override { delegate->stopWatch(); }

    bool printed(const std::string& line) {
        return runEventLoopUntil([&] {
            const Lines lines = appLines();
            return std::find(lines.begin(), lines.end(), line) != lines.end();
        });
    }

    std::shared_ptr<AppDelegate> delegate = std::make_shared<AppDelegate>();
    std::vector<std::chrono::microseconds> pauses;
};

// The camera's libusb device, seen through a context of the test's own, kept after unplugging.
class HeldDevice {
public:
    HeldDevice() {
        libusb_init(&context);
        libusb_device** list = nullptr;
        const ssize_t count = libusb_get_device_list(context, &list);
        for (ssize_t at = 0; at < count; ++at) {
            libusb_device_descriptor descriptor{};
            libusb_get_device_descriptor(list[at], &descriptor);
            if (descriptor.idVendor == 0x0C45 && descriptor.idProduct == 0x6366) {
                device = libusb_ref_device(list[at]);
            }
        }
        libusb_free_device_list(list, 1);
    }
    ~HeldDevice() {
        if (device != nullptr) {
            libusb_unref_device(device);
        }
        libusb_exit(context);
    }
    HeldDevice(const HeldDevice&) = delete;
    HeldDevice& operator=(const HeldDevice&) = delete;

    libusb_context* context = nullptr;
    libusb_device* device = nullptr;
};

} // namespace

TEST_F(AppDelegateHotplugTest, ArrivalReplacesTheStatusItemAndDepartureIsOnlyLogged) {
    delegate->statusItem = StatusItem::make();
    delegate->start();
    ASSERT_TRUE(delegate->isWatching());
    const std::weak_ptr<StatusItem> first = delegate->statusItem;

    camera.plug();
    ASSERT_TRUE(printed("Device arrived: 3141:25446"));
    ASSERT_TRUE(runEventLoopUntil([&] { return first.expired(); }));
    ASSERT_TRUE(
        runEventLoopUntil([&] { return delegate->statusItem->uvcDevicePanels().size() == 1; }));
    const std::weak_ptr<StatusItem> second = delegate->statusItem;

    camera.unplug();
    ASSERT_TRUE(printed("Device left: 3141:25446"));
    ASSERT_TRUE(runEventLoopUntil([&] { return delegate->statusItem->uvcDevicePanels().empty(); }));
    EXPECT_EQ(delegate->statusItem, second.lock()) << "a departure replaces nothing";

    delegate->stopWatch();
    EXPECT_FALSE(delegate->isWatching());
    EXPECT_EQ(delegate->count, 2);
    ASSERT_FALSE(pauses.empty());
    EXPECT_TRUE(
        std::all_of(pauses.begin(), pauses.end(), [](auto length) { return length == 10ms; }));
}

// Another USB device coming while the watch runs is not the camera's: nothing is printed for it,
// the status item stays and so does the open control window. The second camera leaving after it
// is the mark: events come in order, so anything of the other device's would be before it.
TEST_F(AppDelegateHotplugTest, AnotherUsbDeviceArrivingIsNotWatched) {
    plugCamera();
    plugSecondCamera();
    delegate->statusItem = StatusItem::make();
    const std::shared_ptr<StatusItem> item = delegate->statusItem;
    item->menu()->actions().at(0)->trigger();
    const auto& controller = item->uvcDevicePanels().at(0)->windowController();
    ASSERT_TRUE(controller);
    const QPointer<QWidget> window = controller->window();
    delegate->start();
    output.clear();

    plugForeignCamera();
    unplugSecondCamera();
    ASSERT_TRUE(printed("Device left: 3141:25446"));
    QCoreApplication::sendPostedEvents();
    const Lines lines = appLines();
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.starts_with("Device arrived");
    }));
    EXPECT_EQ(delegate->statusItem, item);
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isVisible());
    delegate->stopWatch();
    EXPECT_EQ(delegate->count, 1);
}

TEST_F(AppDelegateHotplugTest, TheCallbackCountsEveryHandledEventButNoFailedStart) {
    camera.plug();
    HeldDevice held;
    ASSERT_NE(held.device, nullptr);
    camera.unplug();
    delegate->statusItem = StatusItem::make();
    const std::shared_ptr<StatusItem> item = delegate->statusItem;
    const struct {
        const char* what;
        void* userData;
        uint32_t event;
        std::string line;
        int64_t count;
    } cases[] = {
        {"no user data", nullptr, LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED, "", 0},
        {"an arrival that cannot be opened", delegate.get(), LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED,
         "Could not open USB device", 1},
        {"a departure", delegate.get(), LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT, "Device left: 3141:25446",
         2},
        {"another event", delegate.get(), 4, "Unhandled event 4", 3},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.what);
        output.clear();
        EXPECT_EQ(
            AppDelegate::hotplugCallback(held.context, held.device, entry.event, entry.userData),
            0);
        EXPECT_EQ(appLines(), entry.line.empty() ? Lines{} : Lines{entry.line});
        EXPECT_EQ(delegate->count, entry.count);
    }
    runEventLoop(50ms);
    EXPECT_EQ(delegate->statusItem, item) << "only an opened arrival replaces the status item";
}

TEST_F(AppDelegateHotplugTest, QuittingEndsTheWatchEveryTimeWhateverItIsDoing) {
    platform::CaptureAccess::forceAnswer(true);
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE(round);
        delegate = std::make_shared<AppDelegate>();
        // Every tenth round the camera arrives or leaves just before the quit.
        const bool plugging = round % 10 == 9;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (delegate->statusItem && delegate->isWatching()) {
                poll.stop();
                if (plugging) {
                    camera.isPlugged() ? camera.unplug() : camera.plug();
                }
                delegate->statusItem->menu()->actions().back()->trigger();
            }
        });
        poll.start(1);
        EXPECT_EQ(applicationMain(delegate), 0);
        EXPECT_FALSE(delegate->isWatching());
    }
    platform::CaptureAccess::forceAnswer(std::nullopt);
}

TEST_F(AppDelegateHotplugTest, NeitherACameraPresentAtTheStartNorAnotherDeviceIsReported) {
    plugCamera();
    delegate->statusItem = StatusItem::make();
    delegate->start();
    plugForeignCamera();
    unplugCamera(); // handled after anything reported of the two before
    ASSERT_TRUE(printed("Device left: 3141:25446"));
    delegate->stopWatch();
    EXPECT_EQ(delegate->count, 1);
    const Lines lines = appLines();
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(),
                             [](const auto& line) { return line.starts_with("Device arrived"); }));
}

// The loop ends by itself once it has handled its count of events, deregisters its callback and
// lets its context go.
TEST_F(AppDelegateHotplugTest, TheLoopEndsAfterItsCountOfEventsAndLetsItsContextGo) {
    plugCamera();
    delegate->statusItem = StatusItem::make(); // the process-wide camera lookup now stands
    unplugCamera();
    const int before = sim::openUsbDescriptors();
    delegate->count = AppDelegate::countLimit - 1;
    delegate->start();
    plugCamera();
    ASSERT_TRUE(printed("Device arrived: 3141:25446"));
    ASSERT_TRUE(runEventLoopUntil([&] { return !delegate->isWatching(); }));
    EXPECT_EQ(delegate->count, AppDelegate::countLimit);
    unplugCamera();
    ASSERT_TRUE(runEventLoopUntil([&] { return delegate->statusItem->uvcDevicePanels().empty(); }));
    EXPECT_EQ(sim::openUsbDescriptors(), before);
}

// Each arrival opens the camera to probe it and closes it again: plug cycles leave nothing open.
TEST_F(AppDelegateHotplugTest, ArrivalsCloseTheDeviceTheyProbe) {
    delegate->statusItem = StatusItem::make();
    delegate->start();
    std::vector<int> afterCycle;
    for (int cycle = 0; cycle < 4; ++cycle) {
        SCOPED_TRACE(cycle);
        output.clear();
        camera.plug();
        ASSERT_TRUE(printed("Device arrived: 3141:25446"));
        ASSERT_TRUE(
            runEventLoopUntil([&] { return delegate->statusItem->uvcDevicePanels().size() == 1; }));
        camera.unplug();
        ASSERT_TRUE(printed("Device left: 3141:25446"));
        ASSERT_TRUE(
            runEventLoopUntil([&] { return delegate->statusItem->uvcDevicePanels().empty(); }));
        afterCycle.push_back(sim::openUsbDescriptors());
    }
    EXPECT_EQ(afterCycle.back(), afterCycle.front());
}

} // namespace app
