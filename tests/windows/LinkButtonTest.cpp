#include "windows/LinkButton.h"

#include <QDesktopServices>
#include <QTest>
#include <QUrl>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace windows {

namespace {

using Events = std::vector<std::string>;

// Stands in for the web browser; records, in one list, what reached it and what reached the
// button's other receivers.
class Recorder : public QObject {
    Q_OBJECT

public:
    Events events;

public slots:
    void open(const QUrl& url) { events.push_back("open " + url.toString().toStdString()); }
};

class LinkButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDesktopServices::setUrlHandler("https", &recorder, "open");
        QObject::connect(&button, &LinkButton::clicked,
                         [this] { recorder.events.emplace_back("action"); });
        window.show();
    }
    void TearDown() override { QDesktopServices::unsetUrlHandler("https"); }
    void click() { QTest::mouseClick(&button, Qt::LeftButton); }

    QWidget window;
    LinkButton button{&window};
    Recorder recorder;
};

} // namespace

TEST_F(LinkButtonTest, WithoutAValidAddressAClickOnlySendsTheAction) {
    EXPECT_EQ(button.url(), std::nullopt);
    click();
    button.setUrl(QStringLiteral("https://exa mple.com/"));
    click();

    EXPECT_EQ(recorder.events, (Events{"action", "action"}));
}

TEST_F(LinkButtonTest, AClickOpensTheAddressAndThenSendsTheAction) {
    button.setUrl(QStringLiteral("https://example.com/vistrel"));

    click();

    EXPECT_EQ(recorder.events, (Events{"open https://example.com/vistrel", "action"}));
}

TEST_F(LinkButtonTest, ThePointingHandCoversTheButtonAndNothingAroundIt) {
    button.resize(200, 40);

    EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}

} // namespace windows

#include "LinkButtonTest.moc"
