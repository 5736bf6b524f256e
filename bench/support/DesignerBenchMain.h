#pragma once

#include "controls/ControlsFactory.h"
#include "designer/DesignerMessagesHandler.h"
#include "inspector/DesignerClasses.h"

#include <QApplication>
#include <benchmark/benchmark.h>

// Runs the benchmarks of a program headless, with the designer's handler,
// controls registry and class descriptions made as the program makes them.
inline int RunDesignerBenchmarks(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TDesignerMessagesHandler handler;
    DesignerHandler = &handler;
    CreateControlsFactory();
    RegisterDesignerClasses();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    DestroyControlsFactory();
    DesignerHandler = nullptr;
    return 0;
}
