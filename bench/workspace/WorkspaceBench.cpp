// The component tree on a design of 1,000 controls, beside peers measured in
// the same run: selecting a control from the surface and from the tree
// (tree, inspector and handles brought up to date and painted) beside the
// bare inspector rebuild for the same control, and the tree's update for
// one control dropped beside one row appended to a bare QStandardItemModel.
#include "app/ComponentTree.h"
#include "app/Main.h"
#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "designer/ComponentTreeModel.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSObjectInspector.h"

#include "support/DesignerBenchMain.h"
#include <QItemSelectionModel>
#include <QStandardItemModel>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace
{

constexpr int Count = 1000;

// The main window holding 1,000 buttons, shown, made once for the run.
struct Workspace {
    Workspace()
    {
        form.resize(1400, 900);
        for (int i = 0; i < Count; ++i) {
            QWidget *c = form.AddControl(1, 10 + (i % 40) * 90, nullptr, 10 + (i / 40) * 40);
            controls.push_back(c);
        }
        form.show();
        QCoreApplication::processEvents();
    }
    TForm1 form;
    std::vector<QWidget *> controls;
};

// Kept to the end of the process: the window must not outlive the
// application object in a static's destructor.
Workspace &Shared()
{
    static Workspace *workspace = new Workspace;
    return *workspace;
}

void BM_SelectFromSurface(benchmark::State &state)
{
    Workspace &w = Shared();
    int i = 0;
    for (auto _ : state) {
        DesignerHandler->SelectControls({w.controls[static_cast<size_t>(i++ % Count)]}, false);
        QCoreApplication::processEvents();
    }
}

void BM_SelectFromTree(benchmark::State &state)
{
    Workspace &w = Shared();
    TComponentTree *tree = w.form.ComponentTree();
    int i = 0;
    for (auto _ : state) {
        QWidget *c = w.controls[static_cast<size_t>(i++ % Count)];
        tree->setCurrentIndex(tree->Model()->IndexOf(c));
        QCoreApplication::processEvents();
    }
    if (DesignerHandler->Selection().size() != 1)
        state.SkipWithError("the tree did not select the control");
}

void BM_BareInspectorRebuild(benchmark::State &state)
{
    Workspace &w = Shared();
    TRSObjectInspector *inspector = w.form.ObjectInspector();
    int i = 0;
    for (auto _ : state) {
        inspector->SetComponent(AsDesigned(w.controls[static_cast<size_t>(i++ % Count)]));
        inspector->Rebuild();
        QCoreApplication::processEvents();
    }
}

// One control comes to the surface (and leaves it again, untimed); with the
// tree's view (arg 1) or the model alone (arg 0).
void BM_TreeUpdateForDrop(benchmark::State &state)
{
    Workspace &w = Shared();
    QWidget *client = w.form.Container()->ClientWidget();
    QWidget parking;
    QWidget *control = ControlsFactory->CreateControlByName("Button", &parking);
    AsDesigned(control)->SetName(QStringLiteral("Dropped"));
    std::unique_ptr<TComponentTreeModel> alone;
    if (state.range(0) == 0)
        alone = std::make_unique<TComponentTreeModel>(w.form.Container());
    TComponentTreeModel *model = alone ? alone.get() : w.form.ComponentTree()->Model();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        control->setParent(client);
        model->Flush();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        control->setParent(&parking);
    }
    if (model->rowCount(model->index(0, 0)) != Count)
        state.SkipWithError("the tree lost count");
}

void BM_BareModelRowInsert(benchmark::State &state)
{
    Workspace &w = Shared();
    QWidget *client = w.form.Container()->ClientWidget();
    QWidget parking;
    QWidget *control = new QWidget(&parking);
    QStandardItemModel model;
    for (int i = 0; i < Count; ++i)
        model.appendRow(new QStandardItem(QStringLiteral("Control%1: Button").arg(i + 1)));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        control->setParent(client);
        model.appendRow(new QStandardItem(QStringLiteral("Dropped: Button")));
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        control->setParent(&parking);
        model.removeRow(Count);
    }
}

// Opening a layout of 1,000 or 10,000 mixed controls in a main window of its
// own, with its inspector, tree, recovery and references between components:
// what a user waits for, beside the opening without a window in the layout
// benchmarks. Ten times the controls may cost at most about ten times.
void BM_OpenInMainWindow(benchmark::State &state)
{
    static const char *const kinds[] = {"Label",       "Button",   "EditBox", "CheckBox",
                                        "RadioButton", "ComboBox", "ListBox", "Memo"};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mixed.xml"));
    TForm1 form;
    form.resize(1400, 900);
    form.show();
    QWidget *client = form.Container()->ClientWidget();
    const int count = static_cast<int>(state.range(0));
    for (int i = 0; i < count; ++i) {
        QWidget *c = ControlsFactory->CreateControlByName(kinds[i % 8], client);
        AsDesigned(c)->SetName(QStringLiteral("Control%1").arg(i + 1));
        c->setGeometry(10 + (i % 40) * 90, 10 + (i / 40) * 40, 80, 30);
    }
    form.Container()->SaveLayout(path);
    QCoreApplication::processEvents();
    // Until the window has been painted with the new design.
    for (auto _ : state) {
        form.OpenLayout(path);
        QCoreApplication::processEvents();
    }
    if (form.Container()->Controls().size() != count)
        state.SkipWithError("the layout did not open whole");
}

BENCHMARK(BM_OpenInMainWindow)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SelectFromSurface)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectFromTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareInspectorRebuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeUpdateForDrop)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareModelRowInsert)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return RunDesignerBenchmarks(argc, argv);
}
