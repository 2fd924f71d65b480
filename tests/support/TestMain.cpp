#include <QGuiApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// Every test program: standard locations in test mode (never the user's own files), and a GUI
// application on the offscreen platform so that fonts and text layout work without a display.
int main(int argc, char **argv)
{
    QStandardPaths::setTestModeEnabled(true);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
