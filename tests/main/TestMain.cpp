// Shared main of every test binary, built once per kind of application object
// (VISTREL_TEST_APPLICATION: QCoreApplication, QGuiApplication or QApplication), so that a
// widget-free group links no widget library. The platform is offscreen unless the environment
// names another, so timers, queued calls and widgets work in any test.
#include <QtGlobal>
#include <gtest/gtest.h>

#include VISTREL_TEST_APPLICATION_HEADER

#include <cstdlib>

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    VISTREL_TEST_APPLICATION app(argc, argv);
#ifdef VISTREL_TEST_WIDGETS
    QApplication::setQuitOnLastWindowClosed(false);
#endif
    return RUN_ALL_TESTS();
}
