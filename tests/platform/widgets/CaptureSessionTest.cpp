#include "platform/widgets/CaptureSession.h"

#include "RecordingCaptureBackend.h"
#include "platform/widgets/PreviewLayer.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace platform {

namespace {

const CaptureDevice camera(QStringLiteral("VISTREL"),
                           QStringLiteral("pci-0000:00:14.0-usb-0:10c456366"),
                           QStringLiteral("/dev/video0"));

class CaptureSessionTest : public ::testing::Test {
protected:
    void TearDown() override { CaptureBackend::setShared(nullptr); }
};

} // namespace

TEST_F(CaptureSessionTest, QtMultimediaFailsOnADeviceItDoesNotListAndTheInputReportsWhy) {
    QString error;
    EXPECT_EQ(CaptureDeviceInput::make(camera, error), nullptr);
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(CaptureSessionTest, ASessionTakesOneInputRunsItsCameraAndFeedsThePreview) {
    auto backend = std::make_shared<RecordingCaptureBackend>();
    CaptureBackend::setShared(backend);
    QString error;
    auto input = CaptureDeviceInput::make(camera, error);
    ASSERT_NE(input, nullptr);
    auto session = std::make_shared<CaptureSession>();
    ASSERT_TRUE(session->canAddInput(input));
    session->beginConfiguration();
    session->addInput(input);
    EXPECT_FALSE(session->canAddInput(CaptureDeviceInput::make(camera, error)));
    session->commitConfiguration();
    auto layer = std::make_unique<PreviewLayer>(session);
    EXPECT_EQ(backend->records[0]->output, layer->videoWidget());

    session->startRunning();
    EXPECT_TRUE(session->isRunning());
    session->stopRunning();
    EXPECT_FALSE(session->isRunning());
    EXPECT_EQ(backend->records[0]->starts, 1);
    EXPECT_EQ(backend->records[0]->stops, 1);
}

TEST_F(CaptureSessionTest, ALayerAddedToAViewFollowsItsSizeAndLeavesItWhenItEnds) {
    CaptureBackend::setShared(std::make_shared<RecordingCaptureBackend>());
    QWidget view;
    view.resize(300, 200);
    auto layer = std::make_unique<PreviewLayer>(std::make_shared<CaptureSession>());
    layer->setAutoresizingMask(PreviewLayer::widthSizable | PreviewLayer::heightSizable);
    layer->setFrame(view.rect());
    layer->addTo(&view);
    EXPECT_EQ(layer->superview(), &view);

    view.resize(500, 400);
    view.show();
    EXPECT_EQ(layer->frame().size(), QSize(500, 400));
    layer.reset();
    EXPECT_TRUE(view.findChildren<QVideoWidget*>().isEmpty());
}

} // namespace platform
