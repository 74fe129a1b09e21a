#include "windows/UVCDeviceWindowController.h"

#include "ControlWindowTest.h"
#include "OffscreenScreens.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <ostream>

namespace windows {

namespace {

struct ScreenCase {
    QSize screen;
    bool preview;
};

void PrintTo(const ScreenCase& screen, std::ostream* out) {
    *out << screen.screen.width() << "x" << screen.screen.height()
         << (screen.preview ? ", preview on" : ", preview off");
}

class PlacementTest : public ControlWindowTest {
protected:
    PlacementTest() { platform::CaptureBackend::setShared(backend); }

    // The window as it is first shown.
    QWidget* openShownWindow() {
        openWindow();
        QWidget* window = controller->window();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        return window;
    }
};

class ScreenPlacementTest : public PlacementTest, public ::testing::WithParamInterface<ScreenCase> {
protected:
    OffscreenScreens screens{GetParam().screen};
};

} // namespace

// On an 800 x 600 screen the window, made at 480 x 270 and centred, grows to its content's height
// and then takes its frame: its bottom edge is just inside, or past it unless moved back in.
TEST_P(ScreenPlacementTest, TheWindowStaysInsideTheScreenAndOnlyAGrowingWindowMoves) {
    QWidget* window = openShownWindow();
    const QRect area = window->screen()->availableGeometry();
    ASSERT_EQ(area.size(), GetParam().screen);
    const QRect loaded = window->frameGeometry();
    EXPECT_TRUE(area.contains(loaded)) << "placed inside, with its frame";

    if (GetParam().preview) {
        click(view().previewButton());
        const QRect grown = window->frameGeometry();
        EXPECT_EQ(window->width(), 953);
        // Kept where it fits; else moved left just far enough to end at the screen's edge, and
        // a window wider than the screen begins at its left edge.
        EXPECT_EQ(grown.left(),
                  std::max(area.left(), std::min(loaded.left(), area.right() + 1 - grown.width())));
        EXPECT_EQ(grown.top(), loaded.top());

        click(view().previewButton());
        EXPECT_EQ(window->width(), 436);
        EXPECT_EQ(window->frameGeometry().topLeft(), grown.topLeft()) << "shrinking moves nothing";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Screens, ScreenPlacementTest,
    ::testing::Values(ScreenCase{{800, 600}, false}, ScreenCase{{800, 600}, true},
                      ScreenCase{{1024, 768}, false}, ScreenCase{{1024, 768}, true},
                      ScreenCase{{1280, 800}, false}, ScreenCase{{1280, 800}, true}),
    [](const auto& info) {
        return std::to_string(info.param.screen.width()) + "x" +
               std::to_string(info.param.screen.height()) +
               (info.param.preview ? "PreviewOn" : "PreviewOff");
    });

TEST_F(PlacementTest, AWindowMovedToTheSecondMonitorGrowsThere) {
    const OffscreenScreens screens({{0, 0, 1024, 768}, {1024, 0, 1280, 800}});
    QWidget* window = openShownWindow();
    QScreen* second = QGuiApplication::screens().at(1);
    // Near the second monitor's right edge, where the preview's width does not fit.
    window->move(second->geometry().right() - 500, 100);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->screen() == second; }));

    click(view().previewButton());
    EXPECT_EQ(window->screen(), second);
    EXPECT_TRUE(second->availableGeometry().contains(window->frameGeometry()));
    EXPECT_EQ(window->frameGeometry().right(), second->availableGeometry().right());
}

} // namespace windows
