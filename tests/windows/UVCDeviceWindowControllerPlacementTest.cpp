#include "windows/UVCDeviceWindowController.h"

#include "ControlWindowTest.h"
#include "OffscreenScreenSize.h"

#include <QScreen>
#include <QTest>

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

class PlacementTest : public ControlWindowTest, public ::testing::WithParamInterface<ScreenCase> {
protected:
    OffscreenScreenSize screenSize{GetParam().screen};
};

} // namespace

TEST_P(PlacementTest, TheWindowStaysInsideTheScreenAndOnlyAGrowingWindowMoves) {
    platform::CaptureBackend::setShared(backend);
    openWindow();
    QWidget* window = controller->window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const QRect area = window->screen()->availableGeometry();
    ASSERT_EQ(area.size(), GetParam().screen);
    const QRect loaded = window->frameGeometry();
    EXPECT_TRUE(area.contains(loaded)) << "placed inside";

    if (GetParam().preview) {
        click(view().previewButton());
        const QRect grown = window->frameGeometry();
        EXPECT_EQ(window->width(), 953);
        EXPECT_TRUE(area.contains(grown));
        // Kept where it fits; else moved left just far enough to end at the screen's edge.
        EXPECT_EQ(grown.left(), std::min(loaded.left(), area.right() + 1 - grown.width()));
        EXPECT_EQ(grown.top(), loaded.top());

        click(view().previewButton());
        EXPECT_EQ(window->width(), 436);
        EXPECT_EQ(window->frameGeometry().topLeft(), grown.topLeft()) << "shrinking moves nothing";
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, PlacementTest,
                         ::testing::Values(ScreenCase{{1024, 768}, false},
                                           ScreenCase{{1024, 768}, true},
                                           ScreenCase{{1280, 800}, false},
                                           ScreenCase{{1280, 800}, true}),
                         [](const auto& info) {
                             return std::to_string(info.param.screen.width()) + "x" +
                                    std::to_string(info.param.screen.height()) +
                                    (info.param.preview ? "PreviewOn" : "PreviewOff");
                         });

} // namespace windows
