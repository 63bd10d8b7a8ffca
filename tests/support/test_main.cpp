#include <QApplication>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Test discovery runs the programs during the build, where there is no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    // Settings and data folders of tests never touch the user's own.
    QStandardPaths::setTestModeEnabled(true);
    const int result = RUN_ALL_TESTS();
    // SANE's test backend cancels its reader thread, which can leave a C library lock taken; the
    // exit handlers of other libraries then wait for it forever. Every result is written by now.
    std::fflush(nullptr);
    std::_Exit(result);
}
