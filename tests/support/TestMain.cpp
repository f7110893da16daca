#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Every test executable runs with a QApplication on Qt's offscreen platform, so
// widget tests need no display; the end-to-end tests start their own X server.
// Without a session runtime folder the locks go to one of the run's own.
int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
