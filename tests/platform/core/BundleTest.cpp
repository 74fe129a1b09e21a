#include "platform/core/Bundle.h"

#include <QCoreApplication>
#include <QImage>
#include <QTemporaryFile>
#include <QTranslator>
#include <gtest/gtest.h>

#include <algorithm>

namespace platform {

namespace {

class BundleTest : public ::testing::Test {
protected:
    void TearDown() override { Bundle::main().removeLocalization(); }
};

} // namespace

TEST_F(BundleTest, EveryKeyHasAnEnglishAndATraditionalChineseText) {
    for (const char* file : {":/i18n/vistrel_en.qm", ":/i18n/vistrel_zh_TW.qm"}) {
        QTranslator translation;
        ASSERT_TRUE(translation.load(file)) << file;
        for (const char* key :
             {"No_Devices", "About_This_App", "Quit_App", "Permission_Denied.Title",
              "Permission_Denied.Message", "Open_System_Preferences", "OK", "Unsupported_Option",
              "Create_Input_Failed"}) {
            EXPECT_FALSE(translation.translate(nullptr, key).isEmpty()) << file << " " << key;
        }
    }
}

TEST_F(BundleTest, TextsFollowTheInstalledLanguageWithEnglishAsFallbackAndKeysWithout) {
    Bundle& bundle = Bundle::main();
    EXPECT_EQ(bundle.localizedString("No_Devices"), "No_Devices");
    ASSERT_TRUE(bundle.installLocalization(QLocale("zh_TW")));
    EXPECT_EQ(bundle.localizedString("No_Devices"), QStringLiteral("未找到裝置"));
    // Qt's own texts follow too: an alert's default button is not left in English.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("確定"));
    ASSERT_TRUE(bundle.installLocalization(QLocale("de_DE")));
    EXPECT_EQ(bundle.localizedString("Open_System_Preferences"), "Open Settings");
    bundle.removeLocalization();
    EXPECT_EQ(bundle.localizedString("Open_System_Preferences"), "Open_System_Preferences");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), "OK");
}

TEST_F(BundleTest, EveryImageAssetDrawsAndTemplatesAreMasks) {
    for (const char* name :
         {"status_item", "camera", "about", "quit", "preview_on", "preview_off"}) {
        const QIcon image = Bundle::main().image(name);
        const QImage pixels = image.pixmap(16, 16).toImage().convertToFormat(QImage::Format_Alpha8);
        const uchar* alpha = pixels.constBits();
        EXPECT_TRUE(std::any_of(alpha, alpha + pixels.sizeInBytes(), [](uchar a) {
            return a > 128;
        })) << name;
        EXPECT_FALSE(image.isMask()) << name;
        EXPECT_TRUE(Bundle::main().templateImage(name).isMask()) << name;
    }
    EXPECT_TRUE(Bundle::main().templateImage("no_such_image").isNull());
}

TEST_F(BundleTest, VersionIsTheProjectVersionAndEmptyWithoutATextUnderItsKey) {
    EXPECT_EQ(Bundle::main().shortVersionString(), QStringLiteral(VISTREL_PROJECT_VERSION));
    EXPECT_FALSE(Bundle("/nonexistent/Info").infoDictionary().has_value());

    QTemporaryFile info;
    ASSERT_TRUE(info.open());
    info.write(R"({"CFBundleShortVersionString": 2})");
    info.flush();
    EXPECT_TRUE(Bundle(info.fileName()).infoDictionary().has_value());
    EXPECT_FALSE(Bundle(info.fileName()).shortVersionString().has_value());
}

} // namespace platform
