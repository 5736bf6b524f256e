#include "propgrid/RSItemPropValueStrings.h"

#include "propgrid/RSItemListEditor.h"
#include "propgrid/RSItemProp.h"

#include <algorithm>

TRSItemPropValueStrings::TRSItemPropValueStrings(TRSItemProp *row) : FRow(row) {}

void TRSItemPropValueStrings::Normalize()
{
    const TRSCustomItemListEditor *grid = FRow ? FRow->Grid() : nullptr;
    if (!grid)
        return;
    // Padding and trimming are no edits of the row: no change is reported.
    const size_t wanted = static_cast<size_t>(std::max(grid->ValueColumnCount(), 1));
    FLines.resize(wanted);
}

std::string TRSItemPropValueStrings::Get(int index)
{
    const TRSCustomItemListEditor *grid = FRow ? FRow->Grid() : nullptr;
    if (grid && index < grid->ValueColumnCount())
        Normalize();
    return TRSStringList::Get(index);
}

void TRSItemPropValueStrings::Put(int index, const std::string &s)
{
    Normalize();
    if (index < 0)
        return TRSStringList::Put(index, s);
    if (index >= Count()) {
        // A line past the list is a real change: it grows the list.
        FLines.resize(index + 1);
        FLines[index] = s;
        Changed();
        return;
    }
    TRSStringList::Put(index, s);
}

std::string TRSItemPropValueStrings::Text()
{
    Normalize();
    return TRSStringList::Text();
}
