// Expanding and collapsing one row of a large tree: the grid splices the
// row's displayed subtree into its displayed-rows list. Measured beside a
// full rebuild of the row lists over the same tree, which is what every
// expand and collapse would cost without the incremental path. The
// executable's main comes with the other benchmarks of this folder.
#include "propgrid/RSItemListEditor.h"
#include "propgrid/RSItemProp.h"
#include "propgrid/RSItemProps.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{

// Ten expanded top-level rows with 1,000 children each: 10,010 rows.
void BuildTree(TRSItemListEditor &grid)
{
    TRSItemProps *items = grid.Items();
    items->BeginUpdate();
    for (int t = 0; t < 10; ++t) {
        TRSItemProp *top = items->Add();
        top->SetName("Group" + std::to_string(t));
        TRSItemProps *children = top->Items();
        for (int c = 0; c < 1000; ++c) {
            TRSItemProp *child = children->Add();
            child->SetName("Row" + std::to_string(c));
        }
        top->Expand();
    }
    items->EndUpdate();
}

void ExpandCollapseIncremental(benchmark::State &state)
{
    TRSItemListEditor grid;
    BuildTree(grid);
    TRSItemProp *row = grid.Items()->Item(5);
    for (auto _ : state) {
        row->Collapse();
        row->Expand();
        benchmark::DoNotOptimize(grid.DisplayedRows().size());
    }
    if (grid.DisplayedRows().size() != 10010)
        state.SkipWithError("displayed rows are wrong");
}
BENCHMARK(ExpandCollapseIncremental)->Unit(benchmark::kMicrosecond);

void ExpandCollapseFullRebuild(benchmark::State &state)
{
    TRSItemListEditor grid;
    BuildTree(grid);
    for (auto _ : state) {
        // Two rebuilds stand for the collapse and the expand.
        grid.RebuildRows();
        grid.RebuildRows();
        benchmark::DoNotOptimize(grid.DisplayedRows().size());
    }
    if (grid.DisplayedRows().size() != 10010)
        state.SkipWithError("displayed rows are wrong");
}
BENCHMARK(ExpandCollapseFullRebuild)->Unit(benchmark::kMicrosecond);

} // namespace
