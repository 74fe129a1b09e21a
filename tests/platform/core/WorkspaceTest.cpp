#include "platform/core/Workspace.h"

#include <QDesktopServices>
#include <QObject>
#include <gtest/gtest.h>

#include <vector>

namespace platform {

namespace {

class UrlRecorder : public QObject {
    Q_OBJECT

public:
    std::vector<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

} // namespace

TEST(WorkspaceTest, UrlsGoInOrderToTheHandlerOfTheirScheme) {
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("vistrel-test", &recorder, "open");
    const QUrl camera("vistrel-test:privacy#Privacy_Camera");
    const QUrl accessibility("vistrel-test:privacy#Privacy_Accessibility");
    EXPECT_TRUE(Workspace::shared().open(camera));
    EXPECT_TRUE(Workspace::shared().open(accessibility));
    QDesktopServices::unsetUrlHandler("vistrel-test");
    EXPECT_EQ(recorder.opened, (std::vector<QUrl>{camera, accessibility}));
}

} // namespace platform

#include "WorkspaceTest.moc"
