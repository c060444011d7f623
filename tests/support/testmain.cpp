// Test entry point: a QApplication on the offscreen platform (so suites that
// make widgets need no display), then GoogleTest. The tones find no sound
// server (a socket that does not exist), so a test run on a desktop stays
// silent, and so do the programs the tests start.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("PULSE_SERVER", "unix:/nonexistent/zeva-tests-have-no-sound-server");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
