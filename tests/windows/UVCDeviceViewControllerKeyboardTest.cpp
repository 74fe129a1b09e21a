#include "windows/UVCDeviceViewController.h"

#include "ControlWindowTest.h"
#include "platform/core/UserDefaults.h"

#include <QApplication>
#include <QKeySequence>
#include <QSignalSpy>
#include <QTest>

#include <ostream>
#include <string>
#include <vector>

namespace windows {

namespace {

using Chain = std::vector<std::string>;

// What Tab walks on each page after the window's first focus, the page selector, before the
// header's buttons and the selector again. The page "More" acts on nothing: its controls are off.
struct PageCase {
    int page;
    Chain chain;
};

const std::string selector = "tabSegmentedControl";
const Chain header = {"resetButton", "previewButton"};

const PageCase pageCases[] = {
    {0,
     {"brightnessSlider", "contrastSlider", "sharpnessSlider", "saturationSlider", "gammaSlider",
      "hueSlider"}},
    {1,
     {"autoWhiteBalanceCheckbox", "whiteBalanceTempSlider", "autoExposureModeSegmentedControl",
      "exposureTimeSlider", "gainSlider"}},
    {2, {}},
    {3, {"KeystrokeComboBox", "KeystrokeDelayCheckBox"}},
};

void PrintTo(const PageCase& page, std::ostream* out) {
    *out << "page " << page.page;
}

// One key, pressed and released on whatever has the focus, as from the keyboard.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    QTest::keyClick(focused, key, modifiers);
}

// The control that has the focus: a segment stands for its segmented control.
std::string focusedControl() {
    const QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr) {
        return "nothing";
    }
    if (qobject_cast<const platform::SegmentedControl*>(focused->parentWidget()) != nullptr) {
        focused = focused->parentWidget();
    }
    return focused->objectName().toStdString();
}

// Manual exposure and white balance: every control of the exposure page is enabled.
class KeyboardTest : public ControlWindowTest {
protected:
    KeyboardTest() {
        camera.setCurrent(ct, 0x02, {0x01});
        camera.setCurrent(pu, 0x0B, {0x00});
    }

    // Opens the window and waits for its first focus.
    void openFocusedWindow() {
        openWindow();
        QApplication::setActiveWindow(controller->window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(controller->window()));
        ASSERT_EQ(focusedControl(), selector);
    }

    // From the first focus, the page selector, the arrow keys to the page.
    void goToPage(int page) {
        for (int step = 0; step < page; ++step) {
            press(Qt::Key_Right);
        }
    }

    // Tab from the page selector until the control has the focus.
    void tabTo(const std::string& outlet) {
        for (int presses = 0; presses < 10 && focusedControl() != outlet; ++presses) {
            press(Qt::Key_Tab);
        }
        ASSERT_EQ(focusedControl(), outlet);
    }
};

class PageChainTest : public KeyboardTest, public ::testing::WithParamInterface<PageCase> {};

} // namespace

TEST_P(PageChainTest, TabWalksTheVisibleControlsInOrderAndShiftTabWalksBack) {
    openFocusedWindow();
    goToPage(GetParam().page);
    ASSERT_EQ(view().tabView->currentIndex(), GetParam().page);
    Chain expected = {selector};
    expected.insert(expected.end(), GetParam().chain.begin(), GetParam().chain.end());
    expected.insert(expected.end(), header.begin(), header.end());

    // The selector keeps the focus while the arrows turn pages.
    ASSERT_EQ(focusedControl(), selector);
    Chain forward = {selector};
    while (forward.size() < expected.size()) {
        press(Qt::Key_Tab);
        forward.push_back(focusedControl());
    }
    EXPECT_EQ(forward, expected);
    press(Qt::Key_Tab);
    EXPECT_EQ(focusedControl(), selector) << "round again";

    Chain backward;
    for (size_t presses = 0; presses < expected.size(); ++presses) {
        press(Qt::Key_Backtab);
        backward.push_back(focusedControl());
    }
    EXPECT_EQ(Chain(backward.rbegin(), backward.rend()), expected);
}

INSTANTIATE_TEST_SUITE_P(EveryPage, PageChainTest, ::testing::ValuesIn(pageCases),
                         [](const auto& info) { return "Page" + std::to_string(info.param.page); });

TEST_F(KeyboardTest, ArrowKeysOnThePageSelectorTurnPagesAsClicksDo) {
    openFocusedWindow();
    QSignalSpy selections(view().tabSegmentedControl.data(),
                          &platform::SegmentedControl::userSelected);
    goToPage(0);
    const struct {
        Qt::Key key;
        int page;
    } steps[] = {{Qt::Key_Right, 1}, {Qt::Key_Right, 2}, {Qt::Key_Right, 3},
                 {Qt::Key_Right, 3}, {Qt::Key_Left, 2},  {Qt::Key_Left, 1}};
    int turns = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.page);
        const int before = view().tabView->currentIndex();
        press(step.key);
        turns += step.page != before ? 1 : 0;
        EXPECT_EQ(view().tabView->currentIndex(), step.page);
        EXPECT_EQ(view().tabSegmentedControl->selectedSegment(), step.page);
        EXPECT_EQ(selections.size(), turns);
        EXPECT_EQ(focusedControl(), selector);
    }
}

TEST_F(KeyboardTest, ReturnOrSpaceRightAfterOpeningWritesNothing) {
    openFocusedWindow();
    press(Qt::Key_Return);
    press(Qt::Key_Space);
    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(view().tabView->currentIndex(), 0);
}

namespace {

// The page keys, on a control of each kind in the window, each kind where it takes other keys.
struct PageKeyCase {
    const char* name;
    int page;
    const char* outlet;
};

const PageKeyCase pageKeyCases[] = {
    {"Selector", 0, "tabSegmentedControl"},
    {"Button", 0, "previewButton"},
    {"Slider", 0, "brightnessSlider"},
    {"CheckBox", 1, "autoWhiteBalanceCheckbox"},
    {"Segments", 1, "autoExposureModeSegmentedControl"},
    {"ComboBox", 3, "KeystrokeComboBox"},
};

void PrintTo(const PageKeyCase& key, std::ostream* out) {
    *out << key.name;
}

class PageKeyTest : public KeyboardTest, public ::testing::WithParamInterface<PageKeyCase> {};

} // namespace

TEST_P(PageKeyTest, ControlTabAndControlPageDownTurnThePagesWhereverTheFocusIs) {
    openFocusedWindow();
    goToPage(GetParam().page);
    tabTo(GetParam().outlet);
    camera.clearTransfers();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int step;
    } keys[] = {{Qt::Key_PageDown, Qt::ControlModifier, 1},
                {Qt::Key_PageUp, Qt::ControlModifier, -1},
                {Qt::Key_Tab, Qt::ControlModifier, 1},
                {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, -1}};
    for (const auto& key : keys) {
        SCOPED_TRACE(QKeySequence(key.key | key.modifiers).toString().toStdString());
        // Back where the control is shown, so that it has the focus again.
        view().tabView->setCurrentIndex(GetParam().page);
        tabTo(GetParam().outlet);
        press(key.key, key.modifiers);
        const int turned = (GetParam().page + key.step + 4) % 4;
        EXPECT_EQ(view().tabView->currentIndex(), turned);
        EXPECT_EQ(view().tabSegmentedControl->selectedSegment(), turned);
    }
    EXPECT_TRUE(writes().empty());
    // The selector's focus moved with its selection: the arrows go on from the page shown.
    if (GetParam().outlet == selector) {
        press(Qt::Key_Left);
        EXPECT_EQ(view().tabView->currentIndex(), 2);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, PageKeyTest, ::testing::ValuesIn(pageKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

// A key on a focused control, the one write to the camera it makes and the refresh after it.
struct KeyCase {
    const char* name;
    uint8_t exposureMode;
    int page;
    const char* outlet;
    Qt::Key key;
    uint8_t unit;
    uint8_t selector;
    std::vector<uint8_t> data;
    size_t refreshReads;
};

void PrintTo(const KeyCase& key, std::ostream* out) {
    *out << key.name;
}

constexpr uint8_t manual = 0x01;
constexpr uint8_t aperturePriority = 0x08;
constexpr size_t refresh = 11;

// From the camera's starting values: brightness 0 (step 1, page 10), white balance off, gain
// 10. Tab enters the exposure modes at the selected one, the first or the last.
const KeyCase keyCases[] = {
    {"SliderRight", manual, 0, "brightnessSlider", Qt::Key_Right, 2, 0x02, {0x01, 0x00}, 0},
    {"SliderPageUp", manual, 0, "brightnessSlider", Qt::Key_PageUp, 2, 0x02, {0x0A, 0x00}, 0},
    {"SliderLeft", manual, 1, "gainSlider", Qt::Key_Left, 2, 0x04, {0x09, 0x00}, 0},
    {"CheckBoxSpace",
     manual,
     1,
     "autoWhiteBalanceCheckbox",
     Qt::Key_Space,
     2,
     0x0B,
     {0x01},
     refresh},
    {"SegmentRight",
     manual,
     1,
     "autoExposureModeSegmentedControl",
     Qt::Key_Right,
     1,
     0x02,
     {0x02},
     refresh},
    {"SegmentLeft",
     aperturePriority,
     1,
     "autoExposureModeSegmentedControl",
     Qt::Key_Left,
     1,
     0x02,
     {0x04},
     refresh},
};

class KeyWriteTest : public KeyboardTest, public ::testing::WithParamInterface<KeyCase> {};

} // namespace

TEST_P(KeyWriteTest, AKeyOnAFocusedControlWritesOnceAsAClickDoes) {
    camera.setCurrent(ct, 0x02, {GetParam().exposureMode});
    openFocusedWindow();
    goToPage(GetParam().page);
    tabTo(GetParam().outlet);
    camera.clearTransfers();

    press(GetParam().key);

    const auto sent = writes();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].unit(), GetParam().unit);
    EXPECT_EQ(sent[0].selector(), GetParam().selector);
    EXPECT_EQ(sent[0].data, GetParam().data);
    EXPECT_EQ(reads().size(), GetParam().refreshReads);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, KeyWriteTest, ::testing::ValuesIn(keyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(KeyboardTest, ArrowKeysOnTheProfileBoxAndSpaceOnTheDelayBoxStoreTheSettings) {
    openFocusedWindow();
    goToPage(3);
    tabTo("KeystrokeComboBox");
    auto& defaults = platform::UserDefaults::standard();

    press(Qt::Key_Down);
    EXPECT_EQ(defaults.string(UVCDeviceViewController::keystrokeSettingKey), "Quick Camera");
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    EXPECT_EQ(defaults.string(UVCDeviceViewController::keystrokeSettingKey), "Enter");

    press(Qt::Key_Tab);
    press(Qt::Key_Space);
    EXPECT_EQ(defaults.string(UVCDeviceViewController::keystrokeDelayKey), "enabled");
}

} // namespace windows
