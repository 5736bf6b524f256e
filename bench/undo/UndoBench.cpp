// Undo and redo of design steps beside their peers measured in the same run:
// a move of many controls beside placing the same widgets with setGeometry,
// a delete of a large design and its undo beside opening that design, and
// the memory that property steps hold.
#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "designer/DesignHistory.h"
#include "designer/LXControlsContainer.h"
#include "designer/PropertyCommand.h"
#include "inspector/RSObjectInspector.h"
#include "persistence/LayoutInspector.h"

#include "support/DesignerBenchMain.h"
#include <QTemporaryDir>
#include <QUndoStack>

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <memory>
#include <vector>

namespace
{

const char *const Kinds[] = {"Label",    "Button",  "EditBox", "CheckBox", "RadioButton",
                             "ComboBox", "ListBox", "Memo",    "Panel",    "GroupBox"};

// A design surface with its inspectors and undo history, as the main window
// holds them.
struct Design {
    explicit Design(int count, bool mixed = false) : container(nullptr, &inspector)
    {
        ConfigureLayoutInspector(*inspector.Inspector());
        history = std::make_unique<TDesignHistory>(&container, snapshots.get());
        for (int i = 0; i < count; ++i) {
            QWidget *c = ControlsFactory->CreateControlByName(
                mixed ? Kinds[i % std::size(Kinds)] : "Button", &container);
            AsDesigned(c)->SetName(QStringLiteral("Control%1").arg(i + 1));
            c->setGeometry(10 + (i % 40) * 90, 10 + (i / 40) * 40, 80, 30);
            controls.push_back(c);
        }
        container.resize(1200, 900);
        container.show();
        QCoreApplication::processEvents();
    }
    TRSObjectInspector inspector;
    std::unique_ptr<TRSObjectInspector> snapshots = MakeLayoutInspector();
    TLXControlsContainer container;
    std::unique_ptr<TDesignHistory> history;
    std::vector<QWidget *> controls;
};

void Settle(benchmark::State &state)
{
    state.PauseTiming();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    state.ResumeTiming();
}

// One undo and one redo of a keyboard move of every control.
void BM_UndoRedoMove(benchmark::State &state)
{
    Design d(static_cast<int>(state.range(0)));
    d.history->Nudge(d.controls, 5, 5, false, false);
    for (auto _ : state) {
        d.history->Stack().undo();
        d.history->Stack().redo();
    }
}

// The peer: the same widgets placed and placed back.
void BM_BareMove(benchmark::State &state)
{
    Design d(static_cast<int>(state.range(0)));
    std::vector<QRect> start;
    for (QWidget *c : d.controls)
        start.push_back(c->geometry());
    for (auto _ : state) {
        for (size_t i = 0; i < d.controls.size(); ++i)
            d.controls[i]->setGeometry(start[i]);
        for (size_t i = 0; i < d.controls.size(); ++i)
            d.controls[i]->setGeometry(start[i].translated(5, 5));
    }
}

// Delete every control as one step, then undo it.
void BM_DeleteAndUndo(benchmark::State &state)
{
    Design d(static_cast<int>(state.range(0)), true);
    for (auto _ : state) {
        d.history->Remove(QStringLiteral("Delete"), d.controls);
        d.history->Stack().undo();
        Settle(state);
    }
    if (d.container.Controls().size() != state.range(0))
        state.SkipWithError("the undo did not bring every control back");
}

// The peer: opening a layout of as many controls.
void BM_OpenLayout(benchmark::State &state)
{
    Design d(static_cast<int>(state.range(0)), true);
    QTemporaryDir dir;
    const QString path = dir.filePath("open.xml");
    d.container.SaveLayout(path);
    d.container.LoadLayout(path);
    for (auto _ : state) {
        Settle(state);
        d.container.LoadLayout(path);
    }
}

// Property steps: each changes the caption of one control. Reports the
// bytes one step holds by its own count and the heap the steps take.
void BM_PropertySteps(benchmark::State &state)
{
    const int steps = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        Design d(10);
        d.history->Stack().setUndoLimit(0);
        const size_t heapBefore = mallinfo2().uordblks;
        state.ResumeTiming();
        size_t largest = 0;
        for (int i = 0; i < steps; ++i) {
            QWidget *c = d.controls[static_cast<size_t>(i) % d.controls.size()];
            d.history->BeginPropertyEdit({c}, QStringLiteral("Caption"));
            AsDesigned(c)->SetText(QStringLiteral("Caption %1").arg(i));
            d.history->FinishPropertyEdit();
            const auto *step = static_cast<const TPropertyCommand *>(
                d.history->Stack().command(d.history->Stack().count() - 1));
            largest = std::max(largest, step->Bytes());
        }
        state.PauseTiming();
        QCoreApplication::sendPostedEvents();
        state.counters["step_bytes_max"] = static_cast<double>(largest);
        state.counters["heap_MB"] =
            static_cast<double>(mallinfo2().uordblks - heapBefore) / (1024.0 * 1024.0);
        state.counters["steps"] = d.history->Stack().count();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_UndoRedoMove)->Arg(200);
BENCHMARK(BM_BareMove)->Arg(200);
BENCHMARK(BM_DeleteAndUndo)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenLayout)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PropertySteps)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunDesignerBenchmarks(argc, argv);
}
