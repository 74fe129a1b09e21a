#include "windows/BaseWindowController.h"
#include "windows/SceneLoader.h"
#include "windows/Storyboard.h"
#include "windows/StoryboardInstantiable.h"

#include <gtest/gtest.h>

namespace windows {

namespace {

// One of the family, named by a scene although the family is never made from one.
class CodeWindowController : public BaseWindowController {
    Q_OBJECT

public:
    using BaseWindowController::BaseWindowController;
};

} // namespace

TEST(BaseWindowControllerTest, TheNibNameIsPresentButEmpty) {
    CodeWindowController controller;

    EXPECT_EQ(controller.windowNibName(), QString(""));
}

TEST(BaseWindowControllerTest, ASubclassThatMakesNoWindowOrComesFromASceneStopsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    SceneLoader::registerController<CodeWindowController>();
    CodeWindowController controller;

    EXPECT_DEATH(controller.window(), "BaseWindowController\\.cpp:[0-9]+: Fatal error: loadWindow "
                                      "must be overriden by subclasses");
    EXPECT_DEATH(StoryboardInstantiable<CodeWindowController>::instantiate(Storyboard::main()),
                 "BaseWindowController\\.cpp:[0-9]+: Fatal error: init\\(coder:\\) has not been "
                 "implemented");
}

} // namespace windows

#include "BaseWindowControllerTest.moc"
