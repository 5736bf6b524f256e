#include "editors/DesignerRegistries.h"

#include <QApplication>
#include <gtest/gtest.h>

// The tests that load pages in the browser engine run under a virtual
// display; the engine shares the application's graphics contexts.
int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    RegisterDesignerRegistries();
    const int result = RUN_ALL_TESTS();
    UnregisterDesignerRegistries();
    return result;
}
