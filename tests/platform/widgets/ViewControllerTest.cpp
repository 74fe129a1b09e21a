#include "platform/widgets/ViewController.h"

#include "platform/widgets/Coder.h"

#include <QPointer>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace platform {

namespace {

using Calls = std::vector<std::string>;

class RecordingViewController : public ViewController {
public:
    using ViewController::ViewController;
    Calls calls;

protected:
    void loadView() override {
        calls.emplace_back("loadView");
        ViewController::loadView();
    }
    void viewDidLoad() override { calls.emplace_back("viewDidLoad"); }
    void viewWillAppear() override { calls.emplace_back("viewWillAppear"); }
};

} // namespace

TEST(ViewControllerTest, ASceneViewLoadsOnceOnFirstRequestAndEndsWithItsController) {
    auto scene = std::make_unique<QWidget>();
    QPointer<QWidget> sceneView = scene.get();
    auto controller = std::make_unique<RecordingViewController>(Coder{scene.release()});
    EXPECT_FALSE(controller->isViewLoaded());

    EXPECT_EQ(controller->view(), sceneView);
    EXPECT_EQ(controller->view(), sceneView);
    EXPECT_EQ(controller->calls, (Calls{"loadView", "viewDidLoad"}));

    controller.reset();
    EXPECT_TRUE(sceneView.isNull());
}

TEST(ViewControllerTest, ViewWillAppearComesEachTimeTheWindowHoldingTheViewIsShown) {
    RecordingViewController controller;
    EXPECT_EQ(controller.window(), nullptr);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(controller.view());
    controller.calls.clear();

    window.show();
    window.hide();
    window.show();

    EXPECT_EQ(controller.window(), &window);
    EXPECT_EQ(controller.calls, (Calls{"viewWillAppear", "viewWillAppear"}));
}

} // namespace platform
