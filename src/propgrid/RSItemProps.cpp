#include "propgrid/RSItemProps.h"

#include "propgrid/RSItemListEditor.h"
#include "propgrid/RSItemProp.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "reflection/RSConsts.h"

#include <algorithm>

TRSItemProps::TRSItemProps(TRSItemProp *ownerRow) : FOwnerRow(ownerRow) {}

TRSItemProps::TRSItemProps(TRSCustomItemListEditor *ownerGrid) : FOwnerGrid(ownerGrid) {}

TRSItemProps::~TRSItemProps()
{
    ++FUpdateCount;
    while (!FItems.empty()) {
        TRSItemProp *item = FItems.back();
        item->PrepareDestroy();
        delete item;
    }
}

TRSCustomItemListEditor *TRSItemProps::Grid() const
{
    if (FOwnerGrid)
        return FOwnerGrid;
    return FOwnerRow ? FOwnerRow->Grid() : nullptr;
}

int TRSItemProps::IndexOf(const TRSItemProp *item) const
{
    const auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TRSItemProp *TRSItemProps::CreateItem()
{
    return new TRSItemProp();
}

TRSItemProp *TRSItemProps::Add()
{
    return Insert(Count());
}

TRSItemProp *TRSItemProps::Insert(int index)
{
    HideGridEditor();
    index = std::clamp(index, 0, Count());
    TRSItemProp *item = CreateItem();
    item->Construct(this, index);
    Changed();
    return item;
}

void TRSItemProps::Delete(int index)
{
    TRSItemProp *item = FItems.at(index);
    Notify(item, cnDeleting);
    item->PrepareDestroy();
    delete item;
}

void TRSItemProps::Clear()
{
    if (FItems.empty())
        return;
    BeginUpdate();
    while (!FItems.empty())
        Delete(Count() - 1);
    EndUpdate();
}

void TRSItemProps::MoveAllTo(TRSItemProps &target)
{
    if (&target == this || FItems.empty())
        return;
    BeginUpdate();
    target.BeginUpdate();
    for (TRSItemProp *row : FItems) {
        row->FCollection = &target;
        target.FItems.push_back(row);
    }
    FItems.clear();
    if (FDefaultCategoryItem) {
        target.FDefaultCategoryItem = FDefaultCategoryItem;
        FDefaultCategoryItem = nullptr;
    }
    target.EndUpdate();
    EndUpdate();
}

void TRSItemProps::Exchange(int i, int j)
{
    if (i == j)
        return;
    BeginUpdate();
    std::swap(FItems.at(i), FItems.at(j));
    NoteRowsChanged();
    EndUpdate();
}

void TRSItemProps::Move(int curIndex, int newIndex)
{
    newIndex = std::clamp(newIndex, 0, Count() - 1);
    if (curIndex == newIndex)
        return;
    TRSItemProp *item = FItems.at(curIndex);
    NoteRowsChanged();
    FItems.erase(FItems.begin() + curIndex);
    FItems.insert(FItems.begin() + newIndex, item);
    Changed();
}

void TRSItemProps::InsertItem(TRSItemProp *item, int index)
{
    FItems.insert(FItems.begin() + index, item);
    item->FCollection = this;
    item->NoteRowsChanged();
    Notify(item, cnAdded);
}

void TRSItemProps::RemoveItem(TRSItemProp *item)
{
    Notify(item, cnExtracting);
    item->NoteRowsChanged();
    const int index = IndexOf(item);
    if (index >= 0)
        FItems.erase(FItems.begin() + index);
    item->FCollection = nullptr;
    Changed();
}

void TRSItemProps::BeginUpdate()
{
    HideGridEditor();
    ++FUpdateCount;
}

void TRSItemProps::EndUpdate()
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    Changed();
}

void TRSItemProps::Changed()
{
    if (FUpdateCount == 0)
        Update(nullptr);
}

void TRSItemProps::NoteRowsChanged() const
{
    if (TRSCustomItemListEditor *grid = Grid())
        grid->NoteRowsChanged();
}

void TRSItemProps::HideGridEditor()
{
    TRSCustomItemListEditor *grid = Grid();
    if (FUpdateCount == 0 && grid && grid->UpdateCounter() == 0)
        grid->ItemChanging();
}

int TRSItemProps::CompareNames(const std::string &s1, const std::string &s2) const
{
    if (const TRSCustomItemListEditor *grid = Grid())
        return grid->CompareNames(s1, s2);
    return RSCompareText(s1, s2);
}

int TRSItemProps::IndexOfName(const std::string &name) const
{
    // Names of different lengths never compare equal, so the comparison,
    // which folds case, runs only for the few rows of the same length:
    // opening a layout looks up every row of every control by its path.
    for (int i = 0; i < Count(); ++i)
        if (FItems[i]->Name().size() == name.size() && CompareNames(FItems[i]->Name(), name) == 0)
            return i;
    return -1;
}

int TRSItemProps::IndexOfCategory(const std::string &name) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[i]->Category() && CompareNames(FItems[i]->Name(), name) == 0)
            return i;
    return -1;
}

TRSItemProp *TRSItemProps::AddCategory(const std::string &name, bool alwaysNew)
{
    if (!alwaysNew) {
        const int i = IndexOfCategory(name);
        if (i >= 0)
            return FItems[i];
    }
    BeginUpdate();
    TRSItemProp *row = nullptr;
    try {
        row = Add();
        row->SetCategory(true);
        row->SetReadOnly(true);
        row->SetName(name);
    } catch (...) {
        // A category that cannot take its name is not left behind nameless.
        if (row)
            Delete(row->Index());
        EndUpdate();
        throw;
    }
    EndUpdate();
    return row;
}

TRSItemProp *TRSItemProps::GetDefaultCategory()
{
    if (FDefaultCategoryName.empty())
        return nullptr;
    const int i = IndexOfCategory(FDefaultCategoryName);
    TRSItemProp *row = i >= 0 ? FItems[i] : AddCategory(FDefaultCategoryName, true);
    SetDefaultCategoryItem(row);
    return row;
}

TRSItemProp *TRSItemProps::AddPath(const std::string &path, const std::string &value,
                                   bool allowDuplicate)
{
    HideGridEditor();
    BeginUpdate();
    TRSItemProp *row = nullptr;
    try {
        row = AddPathStep(path, value, allowDuplicate);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return row;
}

namespace
{
// Splits a path at its first delimiter; answers whether there was one.
bool SplitPath(const std::string &path, const std::string &delimiter, std::string &head,
               std::string &rest)
{
    const auto pos = delimiter.empty() ? std::string::npos : path.find(delimiter);
    if (pos == std::string::npos) {
        head = path;
        rest.clear();
        return false;
    }
    head = path.substr(0, pos);
    rest = path.substr(pos + delimiter.size());
    return true;
}
} // namespace

TRSItemProp *TRSItemProps::AddPathStep(const std::string &path, const std::string &value,
                                       bool allowDuplicate)
{
    const TRSCustomItemListEditor *grid = Grid();
    std::string head, rest;
    const bool hasRest = SplitPath(path, grid ? grid->PathDelimiter() : ".", head, rest);
    const int i = IndexOfName(head);
    TRSItemProp *row;
    if ((allowDuplicate && !hasRest) || i == -1) {
        row = Add();
        row->SetName(head);
    } else {
        row = FItems[i];
    }
    if (!hasRest) {
        row->Values()->SetText(value);
        return row;
    }
    return row->Items()->AddPath(rest, value, allowDuplicate);
}

TRSItemProp *TRSItemProps::FindPath(const std::string &path) const
{
    const TRSCustomItemListEditor *grid = Grid();
    std::string head, rest;
    const bool hasRest = SplitPath(path, grid ? grid->PathDelimiter() : ".", head, rest);
    const int i = IndexOfName(head);
    if (i == -1)
        return nullptr;
    if (!hasRest)
        return FItems[i];
    return FItems[i]->Items()->FindPath(rest);
}

void TRSItemProps::DefaultCategoryChanged(TRSItemProp *row)
{
    if (row->DefaultCategory())
        SetDefaultCategoryItem(row);
    else if (FDefaultCategoryItem == row)
        FDefaultCategoryItem = nullptr;
}

void TRSItemProps::SetDefaultCategoryItem(TRSItemProp *row)
{
    if (FDefaultCategoryItem == row)
        return;
    TRSItemProp *previous = FDefaultCategoryItem;
    FDefaultCategoryItem = row;
    if (previous && previous->DefaultCategory())
        previous->SetDefaultCategory(false);
    if (row && !row->DefaultCategory())
        row->SetDefaultCategory(true);
}

TRSItemProp *TRSItemProps::FindItem(const TRSItemKey &key, bool create)
{
    if (FItems.empty())
        return nullptr;
    int index;
    if (const int *ordinal = std::get_if<int>(&key)) {
        index = *ordinal;
    } else {
        const std::string &name = std::get<std::string>(key);
        index = IndexOfName(name);
        if (index == -1 && create)
            throw ERSException(RSFormat(RSConsts::SPropertyNotFound, name));
    }
    if (index >= 0 && index < Count())
        return FItems[index];
    if (create)
        return Insert(index);
    return nullptr;
}

void TRSItemProps::ItemVisibilityChanged(TRSItemProp *row)
{
    // Inside a bracket the closing whole-collection notice rebuilds the
    // grid's rows; until then only the cached counts above are dropped.
    if (FUpdateCount > 0 && FOwnerRow) {
        for (TRSItemProp *p = FOwnerRow; p; p = p->ParentItem())
            p->FDisplayedDescendantCount = -1;
        return;
    }
    if (FOwnerRow)
        FOwnerRow->VisibilityChanged();
    else if (FOwnerGrid)
        FOwnerGrid->ItemVisibilityChanged(row);
}

void TRSItemProps::RemoveCategories(bool deleteChildren)
{
    std::vector<TRSItemProp *> categories;
    for (TRSItemProp *item : FItems)
        if (item->Category())
            categories.push_back(item);
    for (TRSItemProp *category : categories) {
        const int index = IndexOf(category);
        if (index >= 0)
            RemoveCategory(index, deleteChildren);
    }
}

void TRSItemProps::RemoveCategory(int index, bool deleteChildren)
{
    TRSItemProp *row = FItems.at(index);
    if (!row->Category())
        throw ERSException(RSConsts::SNotACategory);
    if (!deleteChildren)
        while (row->Items()->Count() > 0)
            row->Items()->Item(0)->SetCollection(this);
    Delete(IndexOf(row));
}

bool TRSItemProps::FindInsertPos(const std::string &name, int &index) const
{
    int lo = 0;
    int hi = Count();
    bool found = false;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        const int c = CompareNames(FItems[mid]->Name(), name);
        if (c < 0) {
            lo = mid + 1;
        } else {
            if (c == 0)
                found = true;
            hi = mid;
        }
    }
    index = lo;
    return found;
}

void TRSItemProps::Sort(bool topLevelOnly)
{
    CustomSort(
        [this](TRSItemProp *a, TRSItemProp *b) { return CompareNames(a->Name(), b->Name()); },
        topLevelOnly);
}

void TRSItemProps::CustomSort(const std::function<int(TRSItemProp *, TRSItemProp *)> &compare,
                              bool topLevelOnly)
{
    if (FSorted || FItems.empty())
        return;
    BeginUpdate();
    NoteRowsChanged();
    QuickSort(0, Count() - 1, compare);
    if (!topLevelOnly)
        for (TRSItemProp *item : FItems)
            item->Items()->CustomSort(compare, false);
    EndUpdate();
}

void TRSItemProps::QuickSort(int lo, int hi,
                             const std::function<int(TRSItemProp *, TRSItemProp *)> &compare)
{
    while (lo < hi) {
        int i = lo;
        int j = hi;
        TRSItemProp *pivot = FItems[(lo + hi) / 2];
        while (i <= j) {
            while (compare(FItems[i], pivot) < 0)
                ++i;
            while (compare(FItems[j], pivot) > 0)
                --j;
            if (i <= j) {
                if (i != j)
                    Exchange(i, j);
                ++i;
                --j;
            }
        }
        if (lo < j)
            QuickSort(lo, j, compare);
        lo = i;
    }
}

void TRSItemProps::SetSorted(bool value)
{
    if (FSorted == value)
        return;
    NoteRowsChanged();
    if (value)
        BeginUpdate();
    for (TRSItemProp *item : FItems)
        item->Items()->SetSorted(value);
    if (value)
        Sort(true);
    FSorted = value;
    FCategories.SetSorted(value);
    if (value) {
        EndUpdate();
        if (TRSCustomItemListEditor *grid = Grid())
            grid->Invalidate();
    }
}

void TRSItemProps::SetDefaultCategoryName(const std::string &value)
{
    if (FDefaultCategoryName == value)
        return;
    FDefaultCategoryName = value;
    if (const TRSCustomItemListEditor *grid = Grid(); grid && grid->ArrangeByCategory())
        GetDefaultCategory();
}

void TRSItemProps::Assign(TRSItemProps &source)
{
    if (&source == this)
        return;
    FCategories.Assign(source.FCategories);
    FSorted = source.FSorted;
    FCategories.SetSorted(FSorted);
    BeginUpdate();
    try {
        while (!FItems.empty())
            Delete(Count() - 1);
        for (TRSItemProp *item : source.FItems)
            Add()->Assign(*item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TRSItemProps::Notify(TRSItemProp *item, TCollectionNotification action)
{
    if (action == cnExtracting && item == FDefaultCategoryItem)
        FDefaultCategoryItem = nullptr;
    if (FOwnerRow)
        FOwnerRow->ChildNotify(item, action);
    else if (FOwnerGrid)
        FOwnerGrid->ItemNotify(item, action);
}

void TRSItemProps::Update(TRSItemProp *item)
{
    if (FOwnerRow)
        FOwnerRow->ChildUpdate(item);
    else if (FOwnerGrid)
        FOwnerGrid->ItemUpdate(item);
}
