// The layout checks over designs of mixed kinds: a whole check, and the
// re-check the Problems dock makes (through its tracker) after a step of the
// history moved one control, by the size of the design.
#include "checks/LayoutChecker.h"
#include "checks/ProblemTracker.h"
#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "designer/DesignHistory.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSObjectInspector.h"
#include "persistence/LayoutInspector.h"

#include "support/DesignerBenchMain.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace
{

// Panels of ten controls each, of every kind with a text, placed in rows;
// a few faults of each kind among them.
void Populate(QWidget *root, int count, std::vector<QWidget *> &placed)
{
    const char *const kinds[] = {"Button",   "Label",   "EditBox",  "CheckBox", "RadioButton",
                                 "ComboBox", "ListBox", "GroupBox", "Image"};
    for (int p = 0; p * 10 < count; ++p) {
        QWidget *panel = ControlsFactory->CreateControlByName(QStringLiteral("Panel"), root);
        AsDesigned(panel)->SetName(QStringLiteral("Panel%1").arg(p));
        panel->setGeometry((p % 40) * 310, (p / 40) * 110, 300, 100);
        for (int i = 0; i < 9 && p * 10 + i + 1 < count; ++i) {
            QWidget *c = ControlsFactory->CreateControlByName(QString::fromLatin1(kinds[i]), panel);
            AsDesigned(c)->SetName(QStringLiteral("C%1_%2").arg(p).arg(i));
            AsDesigned(c)->SetText(i % 3 ? QStringLiteral("Caption")
                                         : QStringLiteral("A longer caption"));
            c->setGeometry(4 + (i % 3) * 98, 4 + (i / 3) * 31, 90, 25);
            placed.push_back(c);
        }
    }
}

void BM_CheckAll(benchmark::State &state)
{
    QWidget root;
    std::vector<QWidget *> placed;
    Populate(&root, static_cast<int>(state.range(0)), placed);
    TLayoutChecker checker;
    size_t problems = 0;
    for (auto _ : state)
        problems = checker.Check(&root).size();
    state.counters["problems"] = static_cast<double>(problems);
}

// A design surface with its undo history and the problems it keeps, wired
// as the main window wires the history to the Problems dock.
struct Design {
    explicit Design(int count) : container(nullptr, &inspector), tracker(checker)
    {
        ConfigureLayoutInspector(*inspector.Inspector());
        history = std::make_unique<TDesignHistory>(&container, snapshots.get());
        history->OnChanged = [this](const TDesignChange &change) { tracker.Changed(change); };
        Populate(container.ClientWidget(), count, placed);
        tracker.Update(container.ClientWidget());
    }
    void Update() { tracker.Update(container.ClientWidget()); }
    TRSObjectInspector inspector;
    std::unique_ptr<TRSObjectInspector> snapshots = MakeLayoutInspector();
    TLXControlsContainer container;
    TLayoutChecker checker;
    TProblemTracker tracker;
    std::unique_ptr<TDesignHistory> history;
    std::vector<QWidget *> placed;
};

// One control inside a panel moves to and fro, and the problems are brought
// up to date as the dock brings them once told what moved. Moved by 150 px,
// the control goes partly out of its panel and back, so problems come and
// go; by one pixel, none change.
void BM_RecheckAfterMove(benchmark::State &state, int dx)
{
    Design design(static_cast<int>(state.range(0)));
    QWidget *control = design.placed[design.placed.size() / 2];
    for (auto _ : state)
        for (const int step : {dx, -dx}) {
            control->move(control->x() + step, control->y());
            design.tracker.Changed({TDesignChange::Geometry, {control}});
            design.Update();
        }
    state.counters["problems"] = static_cast<double>(design.tracker.Problems().size());
}

// The same through the history: a step undone and redone, which tells the
// problems what it moved; the step finds its control by path.
void BM_StepAndRecheck(benchmark::State &state)
{
    Design design(static_cast<int>(state.range(0)));
    QWidget *control = design.placed[design.placed.size() / 2];
    design.history->Nudge({control}, 150, 0, false, false);
    design.Update();
    for (auto _ : state) {
        design.history->Stack().undo();
        design.Update();
        design.history->Stack().redo();
        design.Update();
    }
}

BENCHMARK(BM_CheckAll)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RecheckAfterMove, Out, 150)
    ->Arg(100)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RecheckAfterMove, Within, 1)
    ->Arg(100)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StepAndRecheck)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return RunDesignerBenchmarks(argc, argv);
}
