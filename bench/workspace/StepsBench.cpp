// The single steps of editing, in a main window with its inspector, tree,
// status bar and recovery live, among 100 and among 10,000 controls: a
// mouse-move step of a dragged control, an undo and a redo, an edit in the
// inspector, a selection change. None may walk every control, so the step
// among 10,000 costs about what it costs among 100.
#include "app/Main.h"
#include "app/StressPreview.h"
#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "designer/DesignHistory.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSItemProperty.h"
#include "inspector/RSObjectInspector.h"
#include "propgrid/RSItemPropValueStrings.h"

#include "support/DesignerBenchMain.h"
#include <QAction>
#include <QMouseEvent>

#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{

// A shown main window holding count buttons, made once per count.
struct Window {
    explicit Window(int count)
    {
        form.resize(1400, 900);
        QWidget *client = form.Container()->ClientWidget();
        for (int i = 0; i < count; ++i) {
            QWidget *c = ControlsFactory->CreateControlByName("Button", client);
            AsDesigned(c)->SetName(QStringLiteral("Control%1").arg(i + 1));
            c->setGeometry(10 + (i % 100) * 90, 10 + (i / 100) * 40, 80, 30);
            controls.push_back(c);
        }
        form.show();
        QCoreApplication::processEvents();
    }
    TForm1 form;
    std::vector<QWidget *> controls;
};

// Kept to the end of the process: a window must not outlive the application
// object in a static's destructor.
Window &Shared(int count)
{
    static std::map<int, Window *> windows;
    Window *&w = windows[count];
    if (!w)
        w = new Window(count);
    return *w;
}

void Select(QWidget *c)
{
    DesignerHandler->SelectControls({c}, false);
    QCoreApplication::processEvents();
}

void SendMouse(QWidget *w, QEvent::Type type, QPoint global, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, w->mapFromGlobal(global), global,
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void BM_StepMoveAmong(benchmark::State &state)
{
    Window &w = Shared(static_cast<int>(state.range(0)));
    QWidget *c = w.controls.front();
    Select(c);
    const QPoint origin = c->mapToGlobal(QPoint(30, 12));
    SendMouse(c, QEvent::MouseButtonPress, origin, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        step = (step + 5) % 40;
        SendMouse(c, QEvent::MouseMove, origin + QPoint(step, step), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    SendMouse(c, QEvent::MouseButtonRelease, origin, Qt::NoButton);
    QCoreApplication::processEvents();
}

TRSItemProperty *Row(Window &w, const char *path)
{
    return dynamic_cast<TRSItemProperty *>(
        w.form.ObjectInspector()->Inspector()->Items()->FindPath(path));
}

void Edit(TRSItemProperty *row, const std::string &value)
{
    row->Values()->Put(0, value);
    row->Apply();
    QCoreApplication::processEvents();
}

void BM_StepInspectorEditAmong(benchmark::State &state)
{
    Window &w = Shared(static_cast<int>(state.range(0)));
    Select(w.controls.back());
    TRSItemProperty *left = Row(w, "Left");
    if (!left) {
        state.SkipWithError("no Left row");
        return;
    }
    int i = 0;
    for (auto _ : state)
        Edit(left, std::to_string(100 + (++i % 2) * 10));
}

void BM_StepUndoRedoAmong(benchmark::State &state)
{
    Window &w = Shared(static_cast<int>(state.range(0)));
    Select(w.controls.back());
    if (TRSItemProperty *top = Row(w, "Top"))
        Edit(top, "77");
    for (auto _ : state) {
        w.form.UndoAction()->trigger();
        QCoreApplication::processEvents();
        w.form.RedoAction()->trigger();
        QCoreApplication::processEvents();
    }
}

void BM_StepSelectAmong(benchmark::State &state)
{
    Window &w = Shared(static_cast<int>(state.range(0)));
    size_t i = 0;
    for (auto _ : state)
        Select(w.controls[(i++ * 7919) % w.controls.size()]);
}

// A step while the stress preview is on: the copy follows the moved
// control alone.
void BM_StressPreviewStepAmong(benchmark::State &state)
{
    Window &w = Shared(static_cast<int>(state.range(0)));
    TStressPreview *preview = w.form.StressPreview();
    preview->SetPercent(150);
    QWidget *c = w.controls.back();
    int i = 0;
    for (auto _ : state) {
        w.form.History()->Nudge({c}, (++i % 2) ? 1 : -1, 0, false, false);
        QCoreApplication::processEvents();
    }
    preview->SetPercent(100);
}

// Turning the stress preview on copies the whole design.
void BM_StressPreviewRefreshAmong(benchmark::State &state)
{
    Window &w = Shared(static_cast<int>(state.range(0)));
    TStressPreview *preview = w.form.StressPreview();
    preview->SetPercent(150);
    for (auto _ : state) {
        preview->Refresh();
        preview->repaint();
    }
    preview->SetPercent(100);
}

BENCHMARK(BM_StepMoveAmong)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StepUndoRedoAmong)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StepInspectorEditAmong)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StepSelectAmong)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StressPreviewStepAmong)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StressPreviewRefreshAmong)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
