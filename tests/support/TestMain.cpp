#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

// Every test executable runs headless with one application object.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // Files a test's designer keeps per user (recovery files) go to a
    // folder of the tests, never to the user's own.
    QStandardPaths::setTestModeEnabled(true);
    return RUN_ALL_TESTS();
}
