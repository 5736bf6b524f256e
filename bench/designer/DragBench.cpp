// One mouse-move step of a move or resize drag over many selected controls,
// beside the bare cost of placing the same widgets with setGeometry.
#include "controls/ControlsFactory.h"
#include "controls/LXButton.h"
#include "designer/DesignerMessagesHandler.h"

#include "support/DesignerBenchMain.h"
#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace
{

struct Surface {
    explicit Surface(int count)
    {
        widget.resize(2000, 2000);
        for (int i = 0; i < count; ++i) {
            auto *b = new TLXButton(&widget);
            b->setGeometry(10 + (i % 20) * 90, 10 + (i / 20) * 40, 75, 25);
            controls.push_back(b);
        }
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

// Selects every control and presses on the first at start, a client point:
// inside for a move, on the bottom-right handle for a resize.
void DragStep(benchmark::State &state, QPoint start)
{
    Surface s(static_cast<int>(state.range(0)));
    for (QWidget *c : s.controls)
        DesignerHandler->SelectControl(c, true);
    QWidget *first = s.controls.front();
    const QPoint origin = first->mapToGlobal(start);
    SendMouse(first, QEvent::MouseButtonPress, origin, Qt::LeftButton);
    // Every step lands on another grid point, so every control changes.
    int step = 0;
    for (auto _ : state) {
        step = (step + 5) % 40;
        SendMouse(first, QEvent::MouseMove, origin + QPoint(step, step), Qt::LeftButton);
    }
    SendMouse(first, QEvent::MouseButtonRelease, origin, Qt::NoButton);
    DesignerHandler->ClearSelection();
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

BENCHMARK(BM_MoveStep)->Arg(1)->Arg(50)->Arg(200);
BENCHMARK(BM_ResizeStep)->Arg(1)->Arg(50)->Arg(200);
BENCHMARK(BM_BareSetGeometry)->Arg(1)->Arg(50)->Arg(200);

} // namespace

int main(int argc, char **argv)
{
    return RunDesignerBenchmarks(argc, argv);
}
