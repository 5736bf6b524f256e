#ifdef FD_TEST_REGISTRIES
#include "editors/DesignerRegistries.h"
#endif

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Every test executable runs headless with one application object.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // Settings the program keeps between runs go to a place of the test's
    // own, never to the user's.
    QTemporaryDir settings;
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        for (QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, settings.path());
    // Files a test's designer keeps per user (recovery files) go to a
    // folder of the tests, never to the user's own.
    QStandardPaths::setTestModeEnabled(true);
#ifdef FD_TEST_REGISTRIES
    // The executables that link the designer register its classes and
    // presets once, as the programs do.
    RegisterDesignerRegistries();
    const int result = RUN_ALL_TESTS();
    UnregisterDesignerRegistries();
    return result;
#else
    return RUN_ALL_TESTS();
#endif
}
