#pragma once

#include "controls/ControlsFactory.h"
#include "designer/DesignerMessagesHandler.h"
#include "controls/published/DesignerClasses.h"
#include "platform/HeapTuning.h"

#include <QApplication>
#include <benchmark/benchmark.h>

// Runs the benchmarks of a program headless, with the heap, the designer's
// handler, controls registry and class descriptions set up as the program
// sets them up.
inline int RunDesignerBenchmarks(int argc, char **argv)
{
    HeapTuning::Apply();
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
