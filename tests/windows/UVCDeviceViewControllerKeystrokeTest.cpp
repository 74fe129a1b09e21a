#include "windows/UVCDeviceViewController.h"

#include "ControlWindowTest.h"
#include "platform/core/UserDefaults.h"
#include "windows/Storyboard.h"
#include "windows/StoryboardInstantiable.h"

#include <QTest>

#include <cctype>
#include <optional>
#include <ostream>
#include <string>

namespace windows {

namespace {

using Stored = std::optional<std::string>;

struct RestoreCase {
    Stored setting;
    Stored delay;
    int selected; // -1: the layout's own selection stays
    Stored settingAfter;
    bool delayChecked;
};

class KeystrokeRestoreTest : public ControlWindowTest,
                             public ::testing::WithParamInterface<RestoreCase> {};

std::string shown(const Stored& value) {
    return value ? "\"" + *value + "\"" : std::string("none");
}

void PrintTo(const RestoreCase& restore, std::ostream* out) {
    *out << "setting " << shown(restore.setting) << ", delay " << shown(restore.delay);
}

// The stored setting and delay, with every character a test name cannot hold as '_'.
std::string restoreName(const ::testing::TestParamInfo<RestoreCase>& info) {
    std::string name =
        info.param.setting.value_or("NoSetting") + "_" + info.param.delay.value_or("NoDelay");
    for (char& character : name) {
        if (!std::isalnum(static_cast<unsigned char>(character))) {
            character = '_';
        }
    }
    return name;
}

void store(const char* key, const Stored& value) {
    if (value) {
        platform::UserDefaults::standard().set(*value, key);
    }
}

} // namespace

TEST_P(KeystrokeRestoreTest, LoadShowsTheStoredProfileAndDelay) {
    store(UVCDeviceViewController::keystrokeSettingKey, GetParam().setting);
    store(UVCDeviceViewController::keystrokeDelayKey, GetParam().delay);
    openWindow();
    auto& defaults = platform::UserDefaults::standard();

    if (GetParam().selected >= 0) {
        EXPECT_EQ(view().KeystrokeComboBox->currentIndex(), GetParam().selected);
    } else {
        EXPECT_EQ(view().KeystrokeComboBox->currentIndex(), 0) << "the layout's selection";
    }
    EXPECT_EQ(defaults.string(UVCDeviceViewController::keystrokeSettingKey),
              GetParam().settingAfter);
    EXPECT_EQ(defaults.string(UVCDeviceViewController::keystrokeDelayKey), GetParam().delay);
    EXPECT_EQ(view().KeystrokeDelayCheckBox->isChecked(), GetParam().delayChecked);
}

INSTANTIATE_TEST_SUITE_P(StoredValues, KeystrokeRestoreTest,
                         ::testing::Values(RestoreCase{{}, {}, 3, "MacPractice DDS", false},
                                           RestoreCase{"Space", "enabled", 6, "Space", true},
                                           RestoreCase{"space", "disabled", -1, "space", false},
                                           RestoreCase{"Space ", "yes", -1, "Space ", false},
                                           RestoreCase{
                                               "Curve Dental", {}, 0, "Curve Dental", false}),
                         restoreName);

TEST_F(ControlWindowTest, ChoosingAProfileStoresItsName) {
    openWindow();
    QComboBox* profiles = view().KeystrokeComboBox;
    auto& defaults = platform::UserDefaults::standard();

    QTest::keyClick(profiles, Qt::Key_Down);
    EXPECT_EQ(defaults.string(UVCDeviceViewController::keystrokeSettingKey), "Quick Camera");
    for (int step = 0; step < 4; ++step) {
        QTest::keyClick(profiles, Qt::Key_Up);
    }
    EXPECT_EQ(defaults.string(UVCDeviceViewController::keystrokeSettingKey), "Curve Dental");
}

TEST_F(ControlWindowTest, AProfileIndexOutsideTheRowsStoresNothing) {
    openWindow();
    QComboBox* profiles = view().KeystrokeComboBox;
    for (int index : {-1, 7}) {
        SCOPED_TRACE(index);
        profiles->addItem(QStringLiteral("typed"));
        profiles->setCurrentIndex(index);
        view().toggleKeyboardControl(profiles);
        EXPECT_EQ(
            platform::UserDefaults::standard().string(UVCDeviceViewController::keystrokeSettingKey),
            "MacPractice DDS");
    }
}

TEST_F(ControlWindowTest, TheDelayBoxPrintsItsStateAndStoresIt) {
    openWindow();
    for (const auto& [expectedLine, stored] :
         {std::pair{"Checkbox is checked\n", "enabled"}, {"Checkbox is unchecked\n", "disabled"}}) {
        testing::internal::CaptureStdout();
        click(view().KeystrokeDelayCheckBox);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), expectedLine);
        EXPECT_EQ(
            platform::UserDefaults::standard().string(UVCDeviceViewController::keystrokeDelayKey),
            stored);
    }
}

TEST_F(ControlWindowTest, TheRestoreNeverTurnsTheDelayOffNorMovesAnUnmatchedProfile) {
    for (const Stored& delay : {Stored{}, Stored{"disabled"}, Stored{"on"}}) {
        SCOPED_TRACE(shown(delay));
        store(UVCDeviceViewController::keystrokeSettingKey, "space");
        platform::UserDefaults::standard().remove(UVCDeviceViewController::keystrokeDelayKey);
        store(UVCDeviceViewController::keystrokeDelayKey, delay);
        auto loading =
            StoryboardInstantiable<UVCDeviceViewController>::instantiate(Storyboard::main());
        // A layout whose box starts checked and whose list starts at another profile.
        loading->KeystrokeDelayCheckBox->setChecked(true);
        loading->KeystrokeComboBox->setCurrentIndex(5);
        loading->setViewModel(std::make_shared<UVCDeviceViewModel>(
            platform::CaptureDevice(QStringLiteral("VISTREL"), QStringLiteral("usb-0:10c456366"),
                                    QStringLiteral("/dev/video0")),
            device));
        loading->view();
        EXPECT_TRUE(loading->KeystrokeDelayCheckBox->isChecked());
        EXPECT_EQ(loading->KeystrokeComboBox->currentIndex(), 5);
        EXPECT_EQ(
            platform::UserDefaults::standard().string(UVCDeviceViewController::keystrokeDelayKey),
            delay);
    }
}

} // namespace windows
