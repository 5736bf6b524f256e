#include "propgrid/RSItemStrings.h"

#include "propgrid/RSItemListEditor.h"
#include "propgrid/RSItemProp.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "propgrid/RSItemProps.h"
#include "reflection/RSConsts.h"

#include <algorithm>

TRSItemStrings::TRSItemStrings(TRSCustomItemListEditor *grid) : FGrid(grid) {}

int TRSItemStrings::Count() const
{
    const auto &rows = FShowVisibleOnly ? FGrid->DisplayedRows() : FGrid->AllRows();
    return static_cast<int>(rows.size());
}

TRSItemProp *TRSItemStrings::Row(int index) const
{
    const auto &rows = FShowVisibleOnly ? FGrid->DisplayedRows() : FGrid->AllRows();
    if (index < 0 || index >= static_cast<int>(rows.size()))
        throw ERSException(RSFormat(RSConsts::SListIndexError, index));
    return rows[index];
}

std::string TRSItemStrings::Get(int index)
{
    TRSItemProp *row = Row(index);
    return row->GetFullName() + "=" + RSTrimRight(row->Values()->Text());
}

void TRSItemStrings::Put(int index, const std::string &s)
{
    Delete(index);
    Insert(index, s);
}

void TRSItemStrings::Insert(int index, const std::string &s)
{
    if (index < 0 || index > Count())
        throw ERSException(RSFormat(RSConsts::SListIndexError, index));
    const auto pos = s.find('=');
    const std::string name = pos == std::string::npos ? s : s.substr(0, pos);
    const std::string value = pos == std::string::npos ? std::string() : s.substr(pos + 1);
    FGrid->Items()->AddPath(name, value, !(FGrid->PropertyOptions() & propUnique));
}

void TRSItemStrings::Delete(int index)
{
    TRSItemProp *row = Row(index);
    row->Collection()->Delete(row->Index());
}

void TRSItemStrings::Clear()
{
    FGrid->Items()->Clear();
}

void TRSItemStrings::SetText(const std::string &text)
{
    TRSItemProps *items = FGrid->Items();
    items->BeginUpdate();
    try {
        items->Clear();
        for (const std::string &line : RSSplitLines(text))
            Insert(Count(), line);
    } catch (...) {
        items->EndUpdate();
        throw;
    }
    items->EndUpdate();
}

std::intptr_t TRSItemStrings::Object(int index) const
{
    return Row(index)->ItemObject();
}

void TRSItemStrings::SetObject(int index, std::intptr_t value)
{
    Row(index)->SetItemObject(value);
}

int TRSItemStrings::IndexOfName(const std::string &name) const
{
    const TRSItemProp *row = FGrid->Items()->FindPath(name);
    if (!row)
        return -1;
    const auto &rows = FShowVisibleOnly ? FGrid->DisplayedRows() : FGrid->AllRows();
    const auto it = std::find(rows.begin(), rows.end(), row);
    return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}
