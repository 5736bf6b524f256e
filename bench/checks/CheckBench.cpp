// The layout checks over designs of mixed kinds: a whole check, and the
// re-check after one control moved, by the size of the design.
#include "checks/LayoutChecker.h"
#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"

#include "support/DesignerBenchMain.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace
{

// Panels of ten controls each, of every kind with a text, placed in rows;
// a few faults of each kind among them.
struct Design {
    explicit Design(int count)
    {
        const char *const kinds[] = {"Button",   "Label",   "EditBox",  "CheckBox", "RadioButton",
                                     "ComboBox", "ListBox", "GroupBox", "Image"};
        for (int p = 0; p * 10 < count; ++p) {
            QWidget *panel = ControlsFactory->CreateControlByName(QStringLiteral("Panel"), &root);
            AsDesigned(panel)->SetName(QStringLiteral("Panel%1").arg(p));
            panel->setGeometry((p % 40) * 310, (p / 40) * 110, 300, 100);
            for (int i = 0; i < 9 && p * 10 + i + 1 < count; ++i) {
                QWidget *c =
                    ControlsFactory->CreateControlByName(QString::fromLatin1(kinds[i]), panel);
                AsDesigned(c)->SetName(QStringLiteral("C%1_%2").arg(p).arg(i));
                AsDesigned(c)->SetText(i % 3 ? QStringLiteral("Caption")
                                             : QStringLiteral("A longer caption"));
                c->setGeometry(4 + (i % 3) * 98, 4 + (i / 3) * 31, 90, 25);
                moved.push_back(c);
            }
        }
    }
    QWidget root;
    std::vector<QWidget *> moved;
};

void BM_CheckAll(benchmark::State &state)
{
    Design design(static_cast<int>(state.range(0)));
    TLayoutChecker checker;
    size_t problems = 0;
    for (auto _ : state)
        problems = checker.Check(&design.root).size();
    state.counters["problems"] = static_cast<double>(problems);
}

// One control inside a panel moves to and fro, and only what it can have
// changed is checked again.
void BM_RecheckAfterMove(benchmark::State &state)
{
    Design design(static_cast<int>(state.range(0)));
    TLayoutChecker checker;
    TProblemSet problems = checker.CheckSet(&design.root);
    QWidget *control = design.moved[design.moved.size() / 2];
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 2;
        control->move(control->x() + (step ? 150 : -150), control->y());
        checker.Recheck(&design.root, control, problems);
    }
}

BENCHMARK(BM_CheckAll)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecheckAfterMove)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return RunDesignerBenchmarks(argc, argv);
}
