// One mouse-move step of a move or resize drag over many selected controls,
// beside the bare cost of placing the same widgets with setGeometry.
#include "controls/ControlsFactory.h"
#include "controls/LXButton.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/GuideIndex.h"

#include "support/DesignerBenchMain.h"
#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace
{

// Buttons in rows of 20 inside parent.
std::vector<QWidget *> AddButtons(QWidget *parent, int count)
{
    std::vector<QWidget *> buttons;
    for (int i = 0; i < count; ++i) {
        auto *b = new TLXButton(parent);
        b->setGeometry(10 + (i % 20) * 90, 10 + (i / 20) * 40, 75, 25);
        buttons.push_back(b);
    }
    return buttons;
}

struct Surface {
    explicit Surface(int count)
    {
        widget.resize(2000, 2000);
        controls = AddButtons(&widget, count);
        widget.show();
        QCoreApplication::processEvents();
    }
    QWidget widget;
    std::vector<QWidget *> controls;
};

// The mouse at a screen point, as the pressed control receives it.
void SendMouse(QWidget *w, QEvent::Type type, QPoint global, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, w->mapFromGlobal(global), global,
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                  Qt::ShiftModifier);
    QCoreApplication::sendEvent(w, &e);
}

// Presses on the control at start, a point of its own, times each step of
// the drag, then releases it and clears the selection. Every step lands on
// another grid point, so every selected control changes.
void Drag(benchmark::State &state, QWidget *control, QPoint start)
{
    const QPoint origin = control->mapToGlobal(start);
    SendMouse(control, QEvent::MouseButtonPress, origin, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        step = (step + 5) % 40;
        SendMouse(control, QEvent::MouseMove, origin + QPoint(step, step), Qt::LeftButton);
    }
    SendMouse(control, QEvent::MouseButtonRelease, origin, Qt::NoButton);
    DesignerHandler->ClearSelection();
}

// Selects every control and presses on the first at start, a client point:
// inside for a move, on the bottom-right handle for a resize.
void DragStep(benchmark::State &state, QPoint start)
{
    Surface s(static_cast<int>(state.range(0)));
    for (QWidget *c : s.controls)
        DesignerHandler->SelectControl(c, true);
    Drag(state, s.controls.front(), start);
}

void BM_MoveStep(benchmark::State &state)
{
    DragStep(state, {30, 12});
}

void BM_ResizeStep(benchmark::State &state)
{
    DragStep(state, {73, 23});
}

void BM_BareSetGeometry(benchmark::State &state)
{
    Surface s(static_cast<int>(state.range(0)));
    std::vector<QRect> start;
    for (QWidget *c : s.controls)
        start.push_back(c->geometry());
    int step = 0;
    for (auto _ : state) {
        step = (step + 5) % 40;
        for (size_t i = 0; i < s.controls.size(); ++i)
            s.controls[i]->setGeometry(start[i].translated(step, step));
    }
}

// One step of moving the first 200 of 1,000 controls, with guides on (1)
// or off (0), against placing the same 200 widgets with setGeometry. As on
// the designer's surface, the controls' parent lies inside another widget,
// which holds the guides drawn above them.
const int AmongCount = 1000;
const int MovedCount = 200;

struct Client {
    Client()
    {
        viewport.resize(2000, 2000);
        auto *client = new QWidget(&viewport);
        client->resize(2000, 2000);
        controls = AddButtons(client, AmongCount);
        viewport.show();
        QCoreApplication::processEvents();
    }
    QWidget viewport;
    std::vector<QWidget *> controls;
};

void BM_GuidedMoveStep(benchmark::State &state)
{
    Client s;
    DesignerHandler->SnapToGuides = state.range(0) != 0;
    std::vector<QWidget *> moved(s.controls.begin(), s.controls.begin() + MovedCount);
    DesignerHandler->SelectControls(moved, false);
    Drag(state, s.controls.front(), QPoint(30, 12));
    DesignerHandler->SnapToGuides = true;
}

void BM_BareSetGeometryAmong(benchmark::State &state)
{
    Client s;
    std::vector<QRect> start;
    for (int i = 0; i < MovedCount; ++i)
        start.push_back(s.controls[size_t(i)]->geometry());
    int step = 0;
    for (auto _ : state) {
        step = (step + 5) % 40;
        for (int i = 0; i < MovedCount; ++i)
            s.controls[size_t(i)]->setGeometry(start[size_t(i)].translated(step, step));
    }
}

// The index a drag builds when it starts, over 10,000 controls spread
// unevenly.
void BM_BuildGuideIndex(benchmark::State &state)
{
    std::vector<QRect> controls;
    unsigned seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % unsigned(range));
    };
    for (int i = 0; i < state.range(0); ++i)
        controls.emplace_back(next(4000), next(4000), 20 + next(200), 10 + next(60));
    for (auto _ : state) {
        TGuideIndex index(QRect(0, 0, 4300, 4100), controls);
        benchmark::DoNotOptimize(index);
    }
}

BENCHMARK(BM_MoveStep)->Arg(1)->Arg(50)->Arg(200);
BENCHMARK(BM_ResizeStep)->Arg(1)->Arg(50)->Arg(200);
BENCHMARK(BM_BareSetGeometry)->Arg(1)->Arg(50)->Arg(200);
BENCHMARK(BM_GuidedMoveStep)->Arg(1)->Arg(0);
BENCHMARK(BM_BareSetGeometryAmong);
BENCHMARK(BM_BuildGuideIndex)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunDesignerBenchmarks(argc, argv);
}
