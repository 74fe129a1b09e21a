#include "app/StatusItem.h"

#include "AppTest.h"
#include "app/UVCDevicePanel.h"
#include "platform/core/Bundle.h"
#include "platform/widgets/StatusBarItem.h"
#include "windows/AboutWindowController.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QThread>

namespace app {

namespace {

using Titles = std::vector<std::string>;

const Titles cameraMenu{"VISTREL", "-", "About_This_App", "Quit_App"};
const Titles noCameraMenu{"No_Devices", "-", "About_This_App", "Quit_App"};

class StatusItemTest : public AppTest {
protected:
    // The menu the tray shows, which must be the item's current one.
    Titles trayTitles() const {
        const QMenu* shown = item->statusItem().trayIcon()->contextMenu();
        EXPECT_EQ(shown, item->menu().get());
        return shown == nullptr ? Titles{} : titles(*shown);
    }

    // The camera plugged, then the item made: it lists the camera from its first pass.
    void makeItemWithCamera() {
        plugCamera();
        item = StatusItem::make();
    }

    std::shared_ptr<StatusItem> item;
};

} // namespace

TEST_F(StatusItemTest, WithoutACameraTheMenuOffersTheDisabledNoDevicesItem) {
    item = StatusItem::make();
    EXPECT_EQ(appLines(), Lines{"Refreshing device list..."});
    EXPECT_EQ(trayTitles(), noCameraMenu);
    EXPECT_FALSE(item->menu()->actions().at(0)->isEnabled());
    EXPECT_FALSE(item->connected());
    EXPECT_TRUE(item->uvcDevicePanels().empty());
    EXPECT_TRUE(item->statusItem().trayIcon()->isVisible());
    EXPECT_EQ(item->menu()->thread(), QThread::currentThread());
}

TEST_F(StatusItemTest, TheCameraAttachedAtConstructionIsListedOnceAndShownInTheTrayMenu) {
    makeItemWithCamera();
    EXPECT_EQ(appLines(), (Lines{"Refreshing device list...", "Device added: VISTREL"}));
    ASSERT_EQ(item->uvcDevicePanels().size(), 1U);
    EXPECT_TRUE(item->connected());
    EXPECT_EQ(trayTitles(), cameraMenu);
    const QAction* cameraItem = item->menu()->actions().at(0);
    EXPECT_TRUE(cameraItem->isEnabled());
    EXPECT_EQ(cameraItem->data().value<platform::CaptureDevice>(),
              item->uvcDevicePanels()[0]->captureDevice());
}

// The tray shows the image "status_item"; each row of the menu its own image, the camera's row
// (or the no-camera row) "camera".
TEST_F(StatusItemTest, TheTrayAndEachMenuRowShowTheirOwnImage) {
    const auto same = [](const QIcon& shown, const QIcon& image) {
        return shown.pixmap(22).toImage() == image.pixmap(22).toImage();
    };
    const auto image = [](const char* name) {
        return platform::Bundle::main().templateImage(QString::fromLatin1(name));
    };
    for (const bool withCamera : {false, true}) {
        SCOPED_TRACE(withCamera ? "with the camera" : "without it");
        if (withCamera) {
            plugCamera();
        }
        item = StatusItem::make();
        EXPECT_TRUE(same(item->statusItem().image(), image("status_item")));
        const auto tint = platform::StatusBarItem::menuTint(item->menu()->palette());
        const QList<QAction*> rows = item->menu()->actions();
        ASSERT_EQ(rows.size(), 4);
        for (const auto& [row, name] : {std::pair{0, "camera"}, {2, "about"}, {3, "quit"}}) {
            EXPECT_TRUE(same(rows[row]->icon(), platform::StatusBarItem::tinted(image(name), tint)))
                << name;
        }
    }
}

TEST_F(StatusItemTest, ConnectNotificationsRunAPassThatKeepsTheListedCameraAndRebuildsTheMenu) {
    item = StatusItem::make();
    const std::shared_ptr<QMenu> menu = item->menu();
    output.clear();
    plugCamera();
    EXPECT_EQ(appLines(), (Lines{"Device connected: VISTREL", "Refreshing device list...",
                                 "Device added: VISTREL"}));
    EXPECT_EQ(item->menu(), menu) << "refilled in place";
    EXPECT_EQ(trayTitles(), cameraMenu);
    const std::shared_ptr<UVCDevicePanel> panel = item->uvcDevicePanels().at(0);

    output.clear();
    plugForeignCamera();
    EXPECT_EQ(appLines(), (Lines{"Device connected: Foreign Cam", "Refreshing device list..."}));
    ASSERT_EQ(item->uvcDevicePanels().size(), 1U);
    EXPECT_EQ(item->uvcDevicePanels()[0], panel);
    EXPECT_EQ(trayTitles(), cameraMenu);
}

// A foreign camera, and the camera itself under a name that is not exactly "VISTREL", are
// never listed.
TEST_F(StatusItemTest, ADeviceOfAnotherNameIsNeverListed) {
    plugForeignCamera();
    item = StatusItem::make();
    EXPECT_EQ(appLines(), Lines{"Refreshing device list..."});
    EXPECT_EQ(trayTitles(), noCameraMenu);
    plugCamera();
    ASSERT_EQ(item->uvcDevicePanels().size(), 1U);
    const platform::CaptureDevice camera = item->uvcDevicePanels()[0]->captureDevice();
    EXPECT_EQ(camera.localizedName(), "VISTREL");
    item->devicesWasDisconnected({camera});
    for (const char* name : {"vistrel", "Vistrel", "VISTREL ", "VISTREL: USB Camera"}) {
        SCOPED_TRACE(name);
        output.clear();
        item->devicesWasConnected(
            {{name, camera.uniqueID(), camera.nodePath(), camera.usbLocation()}});
        EXPECT_TRUE(item->uvcDevicePanels().empty());
        EXPECT_EQ(appLines(), Lines{});
        EXPECT_EQ(trayTitles(), noCameraMenu);
    }
}

TEST_F(StatusItemTest, DevicesWithoutAPanelArePassedOverAndTheCameraBehindThemIsListed) {
    makeItemWithCamera();
    const platform::CaptureDevice camera = item->uvcDevicePanels().at(0)->captureDevice();
    item->devicesWasDisconnected({camera});
    const struct {
        const char* what;
        platform::CaptureDevice device;
    } passedOver[] = {
        {"no IDs in its unique ID", {"VISTREL", "usb-0:1", "/dev/video7"}},
        {"IDs that are not hexadecimal", {"VISTREL", "pci-usb-0:1-0c45636x", "/dev/video7"}},
        {"IDs libuvc does not find", {"VISTREL", "pci-usb-0:1-12345678", "/dev/video7"}},
    };
    for (const auto& entry : passedOver) {
        SCOPED_TRACE(entry.what);
        output.clear();
        item->devicesWasConnected({entry.device, camera});
        EXPECT_EQ(appLines(), Lines{"Device added: VISTREL"});
        ASSERT_EQ(item->uvcDevicePanels().size(), 1U);
        EXPECT_EQ(item->uvcDevicePanels()[0]->captureDevice(), camera);
        item->devicesWasDisconnected({camera});
    }
}

TEST_F(StatusItemTest, AListedCameraThatAPassKeepsIsShownAgainAfterAnotherOnesRemoval) {
    makeItemWithCamera();
    const platform::CaptureDevice first = item->uvcDevicePanels().at(0)->captureDevice();
    const platform::CaptureDevice second{"VISTREL", "pci-usb-0:9-0c456366", "/dev/video9"};
    item->devicesWasConnected({second});
    ASSERT_EQ(item->uvcDevicePanels().size(), 2U);
    item->devicesWasDisconnected({first});
    EXPECT_FALSE(item->connected());
    EXPECT_EQ(trayTitles(), noCameraMenu);

    output.clear();
    item->devicesWasConnected({second});
    EXPECT_EQ(appLines(), Lines{});
    EXPECT_EQ(item->uvcDevicePanels().size(), 1U);
    EXPECT_TRUE(item->connected());
    EXPECT_EQ(trayTitles(), cameraMenu);
}

TEST_F(StatusItemTest, DisconnectingTheCameraRemovesItsPanelAndShowsNoDevices) {
    makeItemWithCamera();
    output.clear();
    unplugCamera();
    EXPECT_EQ(appLines(), (Lines{"Device removed: VISTREL", "Device disconnected: VISTREL"}));
    EXPECT_TRUE(item->uvcDevicePanels().empty());
    EXPECT_FALSE(item->connected());
    EXPECT_EQ(trayTitles(), noCameraMenu);

    plugCamera();
    EXPECT_EQ(item->uvcDevicePanels().size(), 1U);
    EXPECT_EQ(trayTitles(), cameraMenu);
}

TEST_F(StatusItemTest, ADisconnectOfADeviceNotListedOnlyRebuildsTheMenu) {
    makeItemWithCamera();
    const std::shared_ptr<QMenu> menu = item->menu();
    const QAction* before = menu->actions().at(0);
    output.clear();
    const struct {
        const char* what;
        platform::CaptureDevice device;
    } notListed[] = {
        {"another VISTREL", {"VISTREL", "pci-usb-0:9-0c456366", "/dev/video9"}},
        {"the camera's ID under another name",
         {"Foreign Cam", item->uvcDevicePanels().at(0)->captureDevice().uniqueID(), ""}},
    };
    for (const auto& entry : notListed) {
        SCOPED_TRACE(entry.what);
        item->devicesWasDisconnected({entry.device});
        EXPECT_EQ(item->uvcDevicePanels().size(), 1U);
        EXPECT_TRUE(item->connected());
        EXPECT_EQ(trayTitles(), cameraMenu);
        EXPECT_FALSE(menu->actions().contains(before)) << "rebuilt";
        before = menu->actions().at(0);
    }
    EXPECT_EQ(item->menu(), menu);
    EXPECT_TRUE(appLines().empty());
}

TEST_F(StatusItemTest, ObservationsOutliveTheirStatusItemAndThenOnlyPrint) {
    item = StatusItem::make();
    item = StatusItem::make();
    item = StatusItem::make();
    output.clear();
    plugCamera();
    EXPECT_EQ(appLines(), (Lines{"Device connected: VISTREL", "Device connected: VISTREL",
                                 "Device connected: VISTREL", "Refreshing device list...",
                                 "Device added: VISTREL"}));

    output.clear();
    platform::NotificationCenter::defaultCenter().post(platform::CaptureDeviceWasConnected,
                                                       std::string("not a capture device"));
    platform::NotificationCenter::defaultCenter().post(platform::CaptureDeviceWasDisconnected);
    EXPECT_TRUE(appLines().empty());
}

TEST_F(StatusItemTest, AboutShowsTheSameControllerEveryTime) {
    item = StatusItem::make();
    QAction* about = item->menu()->actions().at(2);
    about->trigger();
    const auto controller = item->aboutWindowController();
    ASSERT_TRUE(controller);
    EXPECT_TRUE(controller->window()->isVisible());
    about->trigger();
    EXPECT_EQ(item->aboutWindowController(), controller);
}

} // namespace app
