#include "propgrid/RSItemProp.h"

#include "propgrid/RSItemListEditor.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "propgrid/RSItemProps.h"
#include "reflection/RSConsts.h"

#include <algorithm>

TRSItemProp::TRSItemProp() = default;

TRSItemProp::~TRSItemProp()
{
    PrepareDestroy();
}

void TRSItemProp::Construct(TRSItemProps *collection, int index)
{
    TRSCustomItemListEditor *grid = collection->Grid();
    FItems.reset(grid ? grid->CreateItems(this) : CreateItems());
    const TRSItemProp *owner = collection->OwnerRow();
    if (owner) {
        FFont.Assign(owner->FFont);
        FValueFont.Assign(owner->FValueFont);
    } else if (grid) {
        FFont.Assign(grid->Font());
        FValueFont.Assign(grid->ValueFont());
    }
    FParentFont = true;
    FParentValueFont = true;
    FFont.OnChange = [this](TRSFont *) { FontChanged(); };
    FValueFont.OnChange = [this](TRSFont *) { ValueFontChanged(); };
    FEnabled = true;
    // The value list exists before the row is announced, so that nothing
    // that hears of the row can meet it without values.
    FValues = std::make_unique<TRSItemPropValueStrings>(this);
    FValues->OnChange = [this] { ValueChanged(); };
    collection->InsertItem(this, index);
    FItems->FSorted = collection->Sorted();
    FItems->FCategories.SetSorted(collection->Sorted());
    FReadOnly = false;
    FEditStyle = esSimple;
    SetVisible(true);
}

void TRSItemProp::PrepareDestroy()
{
    if (FDestroying)
        return;
    FDestroying = true;
    if (FCollection)
        SetVisible(false);
    if (FItems)
        FItems->Clear();
    if (FCollection)
        FCollection->RemoveItem(this);
}

TRSItemProps *TRSItemProp::CreateItems()
{
    return new TRSItemProps(this);
}

TRSItemProp *TRSItemProp::ParentItem() const
{
    return FCollection ? FCollection->OwnerRow() : nullptr;
}

TRSCustomItemListEditor *TRSItemProp::Grid() const
{
    return FCollection ? FCollection->Grid() : nullptr;
}

int TRSItemProp::Index() const
{
    return FCollection ? FCollection->IndexOf(this) : -1;
}

void TRSItemProp::SetIndex(int value)
{
    const int current = Index();
    if (current >= 0 && value != current)
        FCollection->Move(current, value);
}

void TRSItemProp::SetCollection(TRSItemProps *value)
{
    if (value == FCollection || !value)
        return;
    // A row cannot move under itself.
    for (const TRSItemProp *p = value->OwnerRow(); p; p = p->ParentItem())
        if (p == this)
            return;
    if (FCollection)
        FCollection->RemoveItem(this);
    value->InsertItem(this, value->Count());
    value->Changed();
}

int TRSItemProp::Level() const
{
    int level = 0;
    for (const TRSItemProp *p = ParentItem(); p; p = p->ParentItem())
        ++level;
    return level;
}

int TRSItemProp::AbsoluteIndex() const
{
    const TRSCustomItemListEditor *grid = Grid();
    if (!grid)
        return -1;
    const auto &rows = grid->AllRows();
    const auto it = std::find(rows.begin(), rows.end(), this);
    return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

int TRSItemProp::DisplayIndex() const
{
    const TRSCustomItemListEditor *grid = Grid();
    if (!grid || !FListed)
        return -1;
    const auto &rows = grid->DisplayedRows();
    const auto it = std::find(rows.begin(), rows.end(), this);
    return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

int TRSItemProp::DisplayedDescendantCount()
{
    if (FDisplayedDescendantCount < 0) {
        int count = 0;
        if (GetVisible() && Expanded()) {
            for (int i = 0; i < FItems->Count(); ++i) {
                TRSItemProp *child = FItems->Item(i);
                if (child->IsShown())
                    count += 1 + child->DisplayedDescendantCount();
            }
        }
        FDisplayedDescendantCount = count;
    }
    return FDisplayedDescendantCount;
}

bool TRSItemProp::Expanded() const
{
    if (!HasChildren())
        return false;
    const TRSCustomItemListEditor *grid = Grid();
    return FExpanded || (grid && grid->OpensForRowFilter(this));
}

std::string TRSItemProp::Value()
{
    const TRSCustomItemListEditor *grid = Grid();
    if (grid && grid->CurrentRow() == this) {
        const int k = grid->CurrentField();
        if (k >= 1 && k - 1 < std::max(grid->ValueColumnCount(), 1))
            return FValues->Get(k - 1);
    }
    return RSTrimRight(FValues->Text());
}

void TRSItemProp::SetValue(const std::string &value)
{
    const TRSCustomItemListEditor *grid = Grid();
    if (grid && grid->CurrentRow() == this && grid->CurrentField() >= 1) {
        FValues->Put(grid->CurrentField() - 1, value);
        return;
    }
    // A single line needs no splitting.
    if (value.find_first_of("\r\n") == std::string::npos)
        FValues->SetLines(value.empty() ? std::vector<std::string>() : std::vector{value});
    else
        FValues->SetText(value);
}

std::string TRSItemProp::DisplayName()
{
    return FName + "=" + RSTrimRight(FValues->Text());
}

void TRSItemProp::HideGridEditor()
{
    TRSCustomItemListEditor *grid = Grid();
    if (FCollection && FCollection->UpdateCount() == 0 && grid && grid->UpdateCounter() == 0)
        grid->ItemChanging();
}

void TRSItemProp::VisibilityChanged()
{
    FDisplayedDescendantCount = -1;
    if (FCollection)
        FCollection->ItemVisibilityChanged(this);
}

std::string TRSItemProp::GetFullName() const
{
    const TRSItemProp *parent = ParentItem();
    if (!parent)
        return FName;
    const TRSCustomItemListEditor *grid = Grid();
    return parent->GetFullName() + (grid ? grid->PathDelimiter() : std::string(".")) + FName;
}

const TRSFont &TRSItemProp::GetFont() const
{
    return FFont;
}

const TRSFont &TRSItemProp::GetValueFont() const
{
    return FValueFont;
}

const TRSFont &TRSItemProp::GetColumnValueFont(int) const
{
    return GetValueFont();
}

TRSStringList *TRSItemProp::GetPickList()
{
    if (!FPickList) {
        FPickList = std::make_unique<TRSStringList>();
        FPickList->OnChange = [this] { PickListChanged(); };
    }
    return FPickList.get();
}

bool TRSItemProp::GetReadOnly() const
{
    return FReadOnly || !FEnabled;
}

bool TRSItemProp::IsShown() const
{
    if (!GetVisible())
        return false;
    const TRSCustomItemListEditor *grid = Grid();
    if (grid && !grid->PassesRowFilter(this))
        return false;
    return !grid || (grid->DisplayOptions() & doShowReadOnly) || !GetReadOnly() || FCategory;
}

void TRSItemProp::RepositionForName(const std::string &newName)
{
    TRSCustomItemListEditor *grid = Grid();
    if (!FCategory && grid && grid->ArrangeByCategory()) {
        TRSItemProp *category = grid->FindCategoryFor(this, newName);
        if (category && category != this && category->Items() != FCollection)
            SetCollection(category->Items());
    }
    if (FCollection && FCollection->Sorted()) {
        // Lower bound of the new name among the other rows.
        const int current = Index();
        int lo = 0;
        int hi = FCollection->Count() - 1;
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            const TRSItemProp *other = FCollection->Item(mid < current ? mid : mid + 1);
            if (FCollection->CompareNames(other->Name(), newName) < 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        if (lo != current)
            SetIndex(lo);
    }
}

void TRSItemProp::ParentFontChanged(TRSItemProp *source)
{
    if (!FParentFont)
        return;
    if (source) {
        if (source->Category() == FCategory) {
            FFont.Assign(source->GetFont());
        } else {
            for (int i = 0; i < FItems->Count(); ++i)
                FItems->Item(i)->ParentFontChanged(source);
        }
    } else if (TRSCustomItemListEditor *grid = Grid()) {
        FFont.Assign(FCategory ? static_cast<const TRSFont &>(grid->CategoryFont()) : grid->Font());
    }
    FParentFont = true;
}

void TRSItemProp::ParentValueFontChanged()
{
    if (!FParentValueFont)
        return;
    if (const TRSItemProp *parent = ParentItem())
        FValueFont.Assign(parent->GetValueFont());
    else if (TRSCustomItemListEditor *grid = Grid())
        FValueFont.Assign(grid->ValueFont());
    FParentValueFont = true;
}

void TRSItemProp::FontChanged()
{
    FParentFont = false;
    for (int i = 0; i < FItems->Count(); ++i)
        FItems->Item(i)->ParentFontChanged(this);
    RepaintLine();
    Changed();
}

void TRSItemProp::ValueFontChanged()
{
    FParentValueFont = false;
    for (int i = 0; i < FItems->Count(); ++i)
        FItems->Item(i)->ParentValueFontChanged();
    RepaintLine();
    Changed();
}

void TRSItemProp::RepaintLine()
{
    if (TRSCustomItemListEditor *grid = Grid(); grid && FListed)
        grid->InvalidateRowLine(this);
}

void TRSItemProp::SetParentFont(bool value)
{
    if (!value) {
        FParentFont = false;
        return;
    }
    FParentFont = true;
    // Takes the font again from where it would have come: the parent row
    // of the same kind, else the grid.
    TRSItemProp *parent = ParentItem();
    ParentFontChanged(parent && parent->Category() == FCategory ? parent : nullptr);
}

void TRSItemProp::SetParentValueFont(bool value)
{
    FParentValueFont = value;
    if (value)
        ParentValueFontChanged();
}

void TRSItemProp::PickListChanged()
{
    NoteRowsChanged();
    if (FEditStyle == esSimple && FPickList->Count() > 0)
        SetEditStyle(esPickList);
    else if (FEditStyle == esPickList && FPickList->Count() == 0)
        SetEditStyle(esSimple);
}

void TRSItemProp::ChildNotify(TRSItemProp *item, TCollectionNotification action)
{
    // A row moves with its whole subtree, so all of it is counted.
    if (action == cnAdded)
        FDescendantCount += 1 + item->FDescendantCount;
    else if (action == cnExtracting)
        FDescendantCount -= 1 + item->FDescendantCount;
    FDisplayedDescendantCount = -1;
    if (FCollection)
        FCollection->Notify(item, action);
}

void TRSItemProp::SetCategory(bool value)
{
    if (FCategory == value)
        return;
    FCategory = value;
    if (!value)
        SetDefaultCategory(false);
    ParentFontChanged(nullptr);
    Changed();
}

void TRSItemProp::SetDefaultCategory(bool value)
{
    if (FDefaultCategory == value)
        return;
    FDefaultCategory = value;
    if (value)
        SetCategory(true);
    if (FCollection)
        FCollection->DefaultCategoryChanged(this);
    Changed();
}

void TRSItemProp::SetName(const std::string &value)
{
    if (value == FName)
        return;
    const TRSCustomItemListEditor *grid = Grid();
    if (grid && (grid->PropertyOptions() & propUnique) && !value.empty() && FCollection) {
        const int i = FCollection->IndexOfName(value);
        if (i != -1 && i != Index())
            throw ERSException(RSFormat(RSConsts::SPropertyNotUnique, value));
    }
    HideGridEditor();
    RepositionForName(value);
    FName = value;
    RepaintLine();
    Changed();
}

void TRSItemProp::SetHint(const std::string &value)
{
    if (FHint == value)
        return;
    FHint = value;
    Changed();
}

void TRSItemProp::SetReadOnly(bool value)
{
    if (value == GetReadOnly())
        return;
    FReadOnly = value;
    const TRSCustomItemListEditor *grid = Grid();
    if (grid && !(grid->DisplayOptions() & doShowReadOnly))
        VisibilityChanged();
    Changed();
}

void TRSItemProp::SetVisible(bool value)
{
    if (value == GetVisible())
        return;
    FVisible = value;
    NoteRowsChanged();
    VisibilityChanged();
}

void TRSItemProp::SetEditStyle(TRSEditStyle value)
{
    if (FEditStyle == value)
        return;
    FEditStyle = value;
    Changed();
}

void TRSItemProp::SetEditMask(const std::string &value)
{
    if (FEditMask == value)
        return;
    FEditMask = value;
    Changed();
}

void TRSItemProp::SetPickList(TRSStringList &value)
{
    GetPickList()->Assign(value);
}

void TRSItemProp::SetEnabled(bool value)
{
    if (FEnabled == value)
        return;
    FEnabled = value;
    RepaintLine();
    Changed();
}

void TRSItemProp::SetExpressionMask(bool value)
{
    if (FExpressionMask == value)
        return;
    FExpressionMask = value;
    Changed();
}

void TRSItemProp::SetExpanded(bool value)
{
    if (value == Expanded())
        return;
    if (value)
        Expand();
    else
        Collapse();
}

void TRSItemProp::SetItemObject(std::intptr_t value)
{
    if (FItemObject == value)
        return;
    FItemObject = value;
    Changed();
}

void TRSItemProp::ChildUpdate(TRSItemProp *item)
{
    if (FCollection)
        FCollection->Update(item);
}

void TRSItemProp::AssignEvents(const TRSItemProp &source)
{
    OnEditButtonClick = source.OnEditButtonClick;
    OnGetPickList = source.OnGetPickList;
    OnValidate = source.OnValidate;
}

void TRSItemProp::Collapse()
{
    if (!Expanded())
        return;
    FExpanded = false;
    VisibilityChanged();
}

void TRSItemProp::Expand()
{
    if (Expanded())
        return;
    FExpanded = true;
    if (Expanded())
        VisibilityChanged();
}

void TRSItemProp::CollapseAll()
{
    FItems->BeginUpdate();
    FExpanded = false;
    for (int i = 0; i < FItems->Count(); ++i)
        FItems->Item(i)->CollapseAll();
    FItems->EndUpdate();
    VisibilityChanged();
}

void TRSItemProp::ExpandAll()
{
    FItems->BeginUpdate();
    FExpanded = true;
    for (int i = 0; i < FItems->Count(); ++i)
        FItems->Item(i)->ExpandAll();
    FItems->EndUpdate();
    VisibilityChanged();
}

bool TRSItemProp::HasShownChildren() const
{
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Item(i)->IsShown())
            return true;
    return false;
}

bool TRSItemProp::HasChildren() const
{
    return FItems && FItems->Count() > 0;
}

bool TRSItemProp::IsDisplayed() const
{
    if (!IsShown())
        return false;
    const TRSItemProp *parent = ParentItem();
    return !parent || (parent->Expanded() && parent->IsDisplayed());
}

bool TRSItemProp::IsBlank()
{
    return RSTrim(FValues->Text()).empty();
}

void TRSItemProp::Validate()
{
    TRSCustomItemListEditor *grid = Grid();
    if (OnValidate)
        OnValidate(grid, this, grid ? grid->CurrentField() : 1);
    else if (grid && grid->OnValidate)
        grid->OnValidate(grid, this, 1);
}

void TRSItemProp::SetValues(TRSStringList &value)
{
    FValues->Assign(value);
}

void TRSItemProp::SetItems(TRSItemProps &value)
{
    FItems->Assign(value);
}

void TRSItemProp::Assign(TRSItemProp &source)
{
    if (&source == this)
        return;
    SetCategory(source.Category());
    SetDefaultCategory(source.DefaultCategory());
    SetName(source.Name());
    SetHint(source.Hint());
    SetReadOnly(source.GetReadOnly());
    SetEditStyle(source.EditStyle());
    SetEditMask(source.EditMask());
    SetPickList(*source.GetPickList());
    SetExpressionMask(source.ExpressionMask());
    FExpanded = source.FExpanded && source.HasChildren();
    SetItemObject(source.ItemObject());
    FTag = source.Tag();
    SetParentFont(source.ParentFont());
    SetFont(source.GetFont());
    SetParentValueFont(source.ParentValueFont());
    // The row's own value font: the font a descendant shows for a changed
    // value belongs to that value, not to the copy.
    SetValueFont(source.FValueFont);
    SetValues(*source.Values());
    SetVisible(source.GetVisible());
    SetItems(*source.Items());
    Changed();
}

bool TRSItemProp::IsFontStored() const
{
    const TRSItemProp *parent = ParentItem();
    return !FParentFont || (parent && parent->Category() != FCategory);
}

void TRSItemProp::Changed(bool allItems)
{
    NoteRowsChanged();
    if (FCollection && FCollection->UpdateCount() == 0)
        FCollection->Update(allItems ? nullptr : this);
}

void TRSItemProp::ValueChanged()
{
    if (FCollection && FCollection->UpdateCount() == 0)
        FCollection->Update(this);
}

void TRSItemProp::NoteRowsChanged() const
{
    if (TRSCustomItemListEditor *grid = Grid())
        grid->NoteRowsChanged();
}
