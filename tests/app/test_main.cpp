// The window tests' entry: one application object for the whole run.

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// The window tests need one application object for the whole run. Without a display they run on
// the offscreen platform, also when CTest lists them at build time.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // What the windows keep for the user (options, progress) goes to a folder of the tests.
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
