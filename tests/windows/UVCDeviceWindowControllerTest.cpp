#include "windows/UVCDeviceWindowController.h"

#include "ControlWindowTest.h"
#include "platform/widgets/WindowPlacement.h"
#include "windows/Storyboard.h"
#include "windows/StoryboardInstantiable.h"
#include "windows/UVCDeviceViewController.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace windows {

TEST_F(ControlWindowTest, TheWindowIsTitledClosableFixedAndMovableByItsBackground) {
    openWindow();
    QWidget* window = controller->window();
    const Qt::WindowFlags flags = window->windowFlags();

    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_TRUE(platform::isMovableByWindowBackground(window));
}

namespace {

// Notes the window as it was made, before the content gives it its own size.
class CreationRecordingController : public UVCDeviceWindowController {
public:
    QRect created;

protected:
    void windowDidLoad() override {
        created = window()->frameGeometry();
        UVCDeviceWindowController::windowDidLoad();
    }
};

} // namespace

TEST_F(ControlWindowTest, TheWindowIsMadeAt480By270CentredOnTheScreen) {
    auto recording = std::make_shared<CreationRecordingController>();
    recording->setWindowModel(std::make_shared<UVCDeviceWindowModel>(
        platform::CaptureDevice(QStringLiteral("VISTREL"), QStringLiteral("usb-0:10c456366"),
                                QStringLiteral("/dev/video0")),
        device));
    controller = recording;
    controller->showWindow();
    EXPECT_EQ(recording->created.size(), QSize(480, 270));
    const QPoint offCentre = recording->created.center() -
                             QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 1);
}

TEST_F(ControlWindowTest, TheViewControllerHoldsTheWindowModelsViewModelBeforeItLoads) {
    openWindow();
    EXPECT_EQ(view().viewModel(), controller->windowModel()->viewModel());
}

TEST_F(ControlWindowTest, CloseFadesThenClosesCallsWillCloseOnceAndRestoresOpacity) {
    openWindow();
    int willCloseCalls = 0;
    controller->setWillClose([&willCloseCalls] { ++willCloseCalls; });
    QWidget* window = controller->window();

    EXPECT_FALSE(window->close()) << "a close request only starts the fade";
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(willCloseCalls, 0);

    ASSERT_TRUE(QTest::qWaitFor([&] { return willCloseCalls > 0; }, 2000));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->windowOpacity(), 1.0);
    QTest::qWait(50);
    EXPECT_EQ(willCloseCalls, 1);
}

TEST_F(ControlWindowTest, ReopeningMakesNewObjectsWithThePreviewOffAndNoTransferOutlivesThem) {
    for (int round = 0; round < 100; ++round) {
        openWindow();
        std::weak_ptr<UVCDeviceViewModel> watched = controller->windowModel()->viewModel();
        EXPECT_EQ(watched.lock()->mode().value(), UVCDeviceViewModel::Mode::normal);
        controller->setWillClose([this] { controller.reset(); });
        controller->cancel();
        ASSERT_TRUE(QTest::qWaitFor([&] { return controller == nullptr; }, 2000));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        EXPECT_TRUE(watched.expired());
    }
    camera.clearTransfers();
    QTest::qWait(1100);
    EXPECT_TRUE(camera.transfers().empty());
}

TEST_F(ControlWindowTest, AWindowRequestedWithoutAWindowModelStopsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            auto bare = std::make_shared<UVCDeviceWindowController>();
            bare->window();
        },
        "windowModel must be set");
    EXPECT_DEATH(
        {
            auto view = StoryboardInstantiable<UVCDeviceViewController>::instantiate(
                QStringLiteral("UVCDeviceViewController"), Storyboard::main());
            view->view();
        },
        "viewModel must be set");
}

} // namespace windows
