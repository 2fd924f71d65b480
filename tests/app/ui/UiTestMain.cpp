#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// The window tests: standard locations in test mode (never the user's own files) and a widget application
// on the offscreen platform.
int main(int argc, char **argv)
{
    QStandardPaths::setTestModeEnabled(true);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Windows the tests close must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
