// Rebuilding the inspector's rows for one button and for many selected
// controls, beside the bare cost of reading every published property of the
// same controls as text through the published-property model.
#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "propgrid/RSItemProps.h"
#include "reflection/Persistent.h"
#include "reflection/TypInfo.h"

#include "support/DesignerBenchMain.h"
#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>
#include <set>
#include <string>
#include <vector>

namespace
{

// A design surface with count controls, buttons and edit boxes in turn.
struct Surface {
    explicit Surface(int count)
    {
        widget.resize(2000, 2000);
        for (int i = 0; i < count; ++i) {
            QWidget *c =
                ControlsFactory->CreateControlByName(i % 2 ? "EditBox" : "Button", &widget);
            c->setGeometry(10 + (i % 20) * 90, 10 + (i / 20) * 40, 75, 25);
            controls.push_back(c);
        }
    }
    QWidget widget;
    std::vector<QWidget *> controls;
};

// Every published property of object as text, descending into owned
// sub-objects such as the font; components are references and are not
// entered, as the inspector does not nest them either.
size_t ReadAll(TPersistent *object, std::set<TPersistent *> &seen)
{
    if (!object || !seen.insert(object).second)
        return 0;
    size_t bytes = 0;
    for (const TPropInfo *p :
         TypInfo::ListPublishedProperties(TypInfo::ClassInfoOf(object), tkProperties)) {
        bytes += TypInfo::ReadAsVariant(object, p->Name, true).AsString().size();
        if (p->PropType->Kind == tkClass) {
            TPersistent *sub = TypInfo::GetObjectProp(object, p->Name);
            if (sub && !sub->IsComponent() && TypInfo::ClassInfoOf(sub))
                bytes += ReadAll(sub, seen);
        }
    }
    return bytes;
}

void BM_InspectorRebuild(benchmark::State &state)
{
    Surface s(static_cast<int>(state.range(0)));
    TRSObjectInspector view;
    view.resize(300, 600);
    view.show();
    TRSCustomObjectInspector *inspector = view.Inspector();
    for (QWidget *c : s.controls)
        inspector->Objects().AddObject(AsDesigned(c));
    // Lets the rebuild that adding the objects requested happen first.
    QCoreApplication::processEvents();
    for (auto _ : state)
        inspector->Rebuild();
    state.counters["rows"] = static_cast<double>(inspector->Items()->Count());
}

// Selecting controls in turn, as a user clicks through a form: the inspector
// turns to each control and lists its rows at once. Arg 0 alternates between
// two buttons, arg 1 between a button and an edit box (different kinds).
void BM_InspectorSelect(benchmark::State &state)
{
    Surface s(2);
    if (state.range(0) == 0)
        s.controls[1] = ControlsFactory->CreateControlByName("Button", &s.widget);
    TRSObjectInspector view;
    view.resize(300, 600);
    view.show();
    TRSCustomObjectInspector *inspector = view.Inspector();
    size_t turn = 0;
    for (auto _ : state) {
        inspector->SetComponent(AsDesigned(s.controls[turn++ % 2]));
        inspector->Rebuild();
    }
    state.counters["rows"] = static_cast<double>(inspector->Items()->Count());
}

void BM_ReadPublishedAsText(benchmark::State &state)
{
    Surface s(static_cast<int>(state.range(0)));
    std::vector<TPersistent *> objects;
    for (QWidget *c : s.controls)
        objects.push_back(AsDesigned(c));
    size_t bytes = 0;
    for (auto _ : state) {
        for (TPersistent *o : objects) {
            std::set<TPersistent *> seen;
            bytes += ReadAll(o, seen);
        }
        benchmark::DoNotOptimize(bytes);
    }
}

BENCHMARK(BM_InspectorRebuild)->Arg(1)->Arg(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InspectorSelect)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadPublishedAsText)->Arg(1)->Arg(50)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return RunDesignerBenchmarks(argc, argv);
}
