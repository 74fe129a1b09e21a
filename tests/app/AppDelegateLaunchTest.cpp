#include "app/AppDelegate.h"

#include "AppTest.h"
#include "app/ApplicationMain.h"
#include "app/StatusItem.h"
#include "platform/core/CaptureAccess.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <cstdlib>
#include <unistd.h>

namespace app {

namespace {

// The settings program of the desktop GNOME, standing in on PATH: each start leaves a file
// named after its page in the directory $OPENED_IN, holding its process ID. IDs are given in
// the order the programs were started.
constexpr const char* fakeSettingsProgram =
    "#!/bin/sh\necho $$ > \"$OPENED_IN/.$1\" && mv \"$OPENED_IN/.$1\" \"$OPENED_IN/opened-$1\"\n";

class AppDelegateLaunchTest : public AppTest {
protected:
    AppDelegateLaunchTest()
        : path(std::getenv("PATH")) {
        QFile program(settingsHome.filePath("gnome-control-center"));
        EXPECT_TRUE(program.open(QIODevice::WriteOnly));
        program.write(fakeSettingsProgram);
        program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        program.close();
        setenv("PATH", (settingsHome.path().toStdString() + ":" + path).c_str(), 1);
        setenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME", 1);
    }
    ~AppDelegateLaunchTest() override {
        setenv("PATH", path.c_str(), 1);
        platform::CaptureAccess::forceAnswer(std::nullopt);
    }

    // The pages opened into the directory, once there are as many as expected.
    static std::string opened(const QTemporaryDir& into, qsizetype expected) {
        const auto pages = [&] { return QDir(into.path()).entryList({"opened-*"}, QDir::Files); };
        runEventLoopUntil([&] { return pages().size() >= expected; }, std::chrono::seconds(5));
        return pages().join(' ').toStdString();
    }

    // The process ID of the program that opened the page.
    static int startedAs(const QTemporaryDir& into, const QString& page) {
        QFile file(into.filePath("opened-" + page));
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toInt() : -1;
    }

    // Runs the application with the access answer; `whileRunning` is called on the main thread
    // once the status item or the access alert is up.
    int run(bool granted, const std::function<void()>& whileRunning) {
        platform::CaptureAccess::forceAnswer(granted);
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [this, &poll, &whileRunning] {
            if (QApplication::activeModalWidget() != nullptr ||
                (delegate->statusItem && delegate->isWatching())) {
                poll.stop();
                whileRunning();
            }
        });
        poll.start(5);
        return applicationMain(delegate);
    }

    QTemporaryDir settingsHome;
    std::string path;
    std::shared_ptr<AppDelegate> delegate = std::make_shared<AppDelegate>();
};

} // namespace

TEST_F(AppDelegateLaunchTest, RefusedAccessShowsTheAlertWhoseFirstButtonAloneOpensBothPages) {
    // The second button first: anything it started has left its file by the time the first
    // button's pages are there.
    QTemporaryDir openedBySecond;
    QTemporaryDir openedByFirst;
    for (int button : {1, 0}) {
        SCOPED_TRACE(button);
        setenv("OPENED_IN",
               (button == 0 ? openedByFirst : openedBySecond).path().toLocal8Bit().constData(), 1);
        delegate = std::make_shared<AppDelegate>();
        QStringList texts;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        const int status = run(false, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            icon = box->icon();
            texts << box->text() << box->informativeText();
            for (QAbstractButton* each : box->buttons()) {
                texts << each->text();
            }
            box->buttons().at(button)->click();
        });
        EXPECT_EQ(status, 0);
        EXPECT_EQ(icon, QMessageBox::Critical);
        EXPECT_EQ(texts, (QStringList{"Permission_Denied.Title", "Permission_Denied.Message",
                                      "Open_System_Preferences", "OK"}));
        EXPECT_FALSE(delegate->statusItem);
        EXPECT_FALSE(delegate->isWatching());
    }
    EXPECT_EQ(opened(openedByFirst, 2), "opened-camera opened-universal-access");
    EXPECT_LT(startedAs(openedByFirst, "camera"), startedAs(openedByFirst, "universal-access"))
        << "the accessibility page was opened before the camera page";
    EXPECT_EQ(opened(openedBySecond, 0), "") << "the second button opened something";
}

TEST_F(AppDelegateLaunchTest, GrantedAccessBuildsTheStatusItemOnTheMainThreadThenStartsTheWatch) {
    plugCamera();
    output.clear();
    bool watchingWithItem = false;
    const int status = run(true, [&] {
        watchingWithItem = delegate->statusItem->uvcDevicePanels().size() == 1;
        delegate->statusItem->menu()->actions().back()->trigger(); // Quit
    });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(watchingWithItem);
    EXPECT_EQ(delegate->statusItem->menu()->thread(), QThread::currentThread());
    EXPECT_EQ(appLines(), (Lines{"Refreshing device list...", "Device added: VISTREL"}));
    EXPECT_FALSE(delegate->isWatching()) << "quitting ends the watch";
}

TEST_F(AppDelegateLaunchTest, AWatchThatCannotBeSetUpEndsTheProcessWithStatusOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);
            delegate->seams.initResult = -99;
            run(true, [] {});
        },
        ::testing::ExitedWithCode(1), "Refreshing device list...\nError initializing libusb\n");
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);
            delegate->seams.registrationResult = -99;
            delegate->start();
        },
        ::testing::ExitedWithCode(1), "\nError creating a hotplug callback\n$");
}

} // namespace app
