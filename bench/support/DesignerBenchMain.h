#pragma once

#include "controls/ControlsFactory.h"
#include "designer/DesignerMessagesHandler.h"
#include "editors/DesignerRegistries.h"
#include "platform/HeapTuning.h"

#include <QApplication>
#include <benchmark/benchmark.h>

// Runs the benchmarks of a program headless, with the heap, the designer's
// handler, controls registry, class descriptions and presets set up as the
// program sets them up.
inline int RunDesignerBenchmarks(int argc, char **argv)
{
    HeapTuning::Apply();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TDesignerMessagesHandler handler;
    DesignerHandler = &handler;
    CreateControlsFactory();
    RegisterDesignerRegistries();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    UnregisterDesignerRegistries();
    DestroyControlsFactory();
    DesignerHandler = nullptr;
    return 0;
}
