#include "propgrid/RSItemListEditor.h"

#include "propgrid/RSItemProp.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "propgrid/RSItemStrings.h"
#include "reflection/RSConsts.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace
{
TRSGlyph MakeGlyph(bool plus)
{
    TRSGlyph g;
    g.Width = 9;
    g.Height = 9;
    g.Pixels.assign(81, false);
    for (int i = 0; i < 9; ++i) {
        g.Pixels[i] = g.Pixels[8 * 9 + i] = true;
        g.Pixels[i * 9] = g.Pixels[i * 9 + 8] = true;
    }
    for (int i = 2; i <= 6; ++i) {
        g.Pixels[4 * 9 + i] = true;
        if (plus)
            g.Pixels[i * 9 + 4] = true;
    }
    return g;
}

TRSItemProp *TopLevelOf(TRSItemProp *row)
{
    while (TRSItemProp *parent = row->ParentItem())
        row = parent;
    return row;
}

bool IsInSubtree(const TRSItemProp *row, const TRSItemProp *root)
{
    for (const TRSItemProp *p = row; p; p = p->ParentItem())
        if (p == root)
            return true;
    return false;
}

// Appends the row and its descendants in pre-order.
void CollectSubtree(TRSItemProp *row, std::vector<TRSItemProp *> &out)
{
    out.push_back(row);
    TRSItemProps *items = row->Items();
    for (int i = 0; i < items->Count(); ++i)
        CollectSubtree(items->Item(i), out);
}

// Opens a grid update bracket for a scope.
class TGridUpdate
{
public:
    explicit TGridUpdate(TRSCustomItemListEditor *grid) : FGrid(grid) { FGrid->BeginUpdate(); }
    ~TGridUpdate() { FGrid->EndUpdate(); }
    TGridUpdate(const TGridUpdate &) = delete;
    TGridUpdate &operator=(const TGridUpdate &) = delete;

private:
    TRSCustomItemListEditor *FGrid;
};
} // namespace

TRSGlyph TRSGlyph::Minus()
{
    return MakeGlyph(false);
}

TRSGlyph TRSGlyph::Plus()
{
    return MakeGlyph(true);
}

TRSCustomItemListEditor::TRSCustomItemListEditor()
    : FTitleCaptions{"Property", "Value"}, FValueFont(FFont), FCategoryFont(FFont),
      FTitleCaptionFont(FFont)
{
    FTitleCaptions.OnChange = [this] { TitleCaptionsChanged(); };
    for (TRSCustomDeltaFont *font : {&FValueFont, &FCategoryFont, &FTitleCaptionFont})
        font->OnGetParentFont = [this](TRSCustomDeltaFont *f) { return GetBaseFont(f); };
    FCategoryFont.SetStyle(FCategoryFont.Style() | TRSFont::fsBold);
    FCategoryFont.SetColor(0x800080);
    FValueFont.OnChange = [this](TRSFont *) { ValueFontChanged(); };
    FCategoryFont.OnChange = [this](TRSFont *) { CategoryFontChanged(); };
    FTitleCaptionFont.OnChange = [this](TRSFont *) { TitleCaptionFontChanged(); };
    FFont.OnChange = [this](TRSFont *) { FontChanged(); };
    FMinusGlyph = TRSGlyph::Minus();
    FPlusGlyph = TRSGlyph::Plus();
    FStrings = std::make_unique<TRSItemStrings>(this);
    FColCount = 2;
    FRowCount = 2;
    FColWidths.assign(2, 150);
    FRowHeights.assign(2, 18);
    FFixedCols = 0;
    FFixedRows = 0;
    FDefaultColWidth = 150;
    FDefaultRowHeight = 18;
    FOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing |
               goEditing | goAlwaysShowEditor | goThumbTracking;
    FDisplayOptions = doColumnTitles | doAutoColResize | doKeyColFixed | doShowReadOnly;
    SetColumnTitles(true);
    FCurrent = {1, 1};
    FAnchor = FCurrent;
    FTopLeft = {0, 1};
}

TRSCustomItemListEditor::~TRSCustomItemListEditor()
{
    FDestroying = true;
    ++FUpdateCount;
    FHost = nullptr;
    FItems.reset();
}

void TRSCustomItemListEditor::Init()
{
    if (FInitialized)
        return;
    FInitialized = true;
    FItems.reset(CreateItems(nullptr));
    InitCategories();
}

void TRSCustomItemListEditor::EndLoading()
{
    if (!FLoading)
        return;
    FLoading = false;
    Loaded();
}

TRSItemProps *TRSCustomItemListEditor::Items() const
{
    if (!FInitialized)
        const_cast<TRSCustomItemListEditor *>(this)->Init();
    return FItems.get();
}

void TRSCustomItemListEditor::SetItems(TRSItemProps &value)
{
    Items()->Assign(value);
}

void TRSCustomItemListEditor::SetStrings(TRSStringList &value)
{
    FStrings->Assign(value);
}

bool TRSCustomItemListEditor::IsTitleCaptionsStored()
{
    return FTitleCaptions.Text() != "Property\r\nValue\r\n";
}

TRSItemProps *TRSCustomItemListEditor::CreateItems(TRSItemProp *owner)
{
    return owner ? new TRSItemProps(owner) : new TRSItemProps(this);
}

// ---- logical axes -------------------------------------------------------

TRSGridCoord TRSCustomItemListEditor::CellOf(int field, int item) const
{
    return FOrientation == goVertical ? TRSGridCoord{field, item} : TRSGridCoord{item, field};
}

void TRSCustomItemListEditor::SetFieldCount(int value)
{
    if (FOrientation == goVertical)
        SetColCount(value);
    else
        SetRowCount(value);
}

void TRSCustomItemListEditor::SetItemCount(int value)
{
    if (FOrientation == goVertical)
        TRSGridCore::SetRowCount(value);
    else
        TRSGridCore::SetColCount(value);
}

void TRSCustomItemListEditor::SetCurrentField(int value)
{
    const TRSGridCoord c = CellOf(value, CurrentItem());
    MoveCurrent(c.X, c.Y, true, true);
}

void TRSCustomItemListEditor::SetCurrentItem(int value)
{
    const TRSGridCoord c = CellOf(CurrentField(), value);
    MoveCurrent(c.X, c.Y, true, true);
}

void TRSCustomItemListEditor::SetFixedFields(int value)
{
    if (FOrientation == goVertical)
        SetFixedCols(value);
    else
        SetFixedRows(value);
}

void TRSCustomItemListEditor::SetFixedItems(int value)
{
    if (FOrientation == goVertical)
        SetFixedRows(value);
    else
        SetFixedCols(value);
}

// ---- properties ---------------------------------------------------------

void TRSCustomItemListEditor::SetColCount(int value)
{
    TRSGridCore::SetColCount(value);
    AutoSizeColumns();
}

void TRSCustomItemListEditor::SetPublishedColCount(int value)
{
    if (FReading)
        FReadColCount = value;
    SetColCount(value);
}

void TRSCustomItemListEditor::SetPublishedRowCount(int value)
{
    if (FReading)
        FReadRowCount = value;
    SetRowCount(value);
}

void TRSCustomItemListEditor::BeginReading()
{
    FLoadingForReading = !FLoading;
    BeginLoading();
    FReading = true;
    FReadColCount.reset();
    FReadRowCount.reset();
}

void TRSCustomItemListEditor::EndReading()
{
    FReading = false;
    if (FReadColCount)
        SetColCount(*std::exchange(FReadColCount, std::nullopt));
    if (FReadRowCount)
        SetRowCount(*std::exchange(FReadRowCount, std::nullopt));
    if (std::exchange(FLoadingForReading, false))
        EndLoading();
}

void TRSCustomItemListEditor::SetDropDownRows(int value)
{
    if (value <= 0)
        return;
    FDropDownRows = value;
    if (FHost && FHost->EditorExists())
        FHost->SetEditorDropDownRows(value);
}

void TRSCustomItemListEditor::SetPropertyOptions(TILEPropOptions value)
{
    if ((FPropertyOptions & propEdit) && !(value & propEdit))
        value &= ~propAdd;
    if (!(FPropertyOptions & propAdd) && (value & propAdd))
        value |= propEdit;
    FPropertyOptions = value;
    if (!(value & propEdit) && CurrentField() == 0)
        SetCurrentField(1);
    else if ((value & propEdit) && FLoading)
        SetCurrentField(0);
}

void TRSCustomItemListEditor::SetCaseSensitive(bool value)
{
    if (FCaseSensitive == value)
        return;
    FCaseSensitive = value;
    if (Sorted())
        Items()->Sort(false);
}

void TRSCustomItemListEditor::SetIndent(int value)
{
    if (value < 0 || value == FIndent)
        return;
    FIndent = value;
    Invalidate();
}

void TRSCustomItemListEditor::SetMinusGlyph(const TRSGlyph &value)
{
    FMinusGlyph = value;
    Invalidate();
}

void TRSCustomItemListEditor::SetPlusGlyph(const TRSGlyph &value)
{
    FPlusGlyph = value;
    Invalidate();
}

void TRSCustomItemListEditor::SetOrientation(TRSGridOrientation value)
{
    if (FOrientation == value)
        return;
    FOrientation = value;
    OrientationChanged();
}

void TRSCustomItemListEditor::SetHideSelection(bool value)
{
    FHideSelection = value;
    Invalidate();
}

bool TRSCustomItemListEditor::Sorted() const
{
    return Items()->Sorted();
}

void TRSCustomItemListEditor::SetSorted(bool value)
{
    Items()->SetSorted(value);
}

void TRSCustomItemListEditor::SetArrangeByCategory(bool value)
{
    FArrangeByCategory = value;
}

void TRSCustomItemListEditor::SetDisplayOptions(TILEDisplayOptions value)
{
    const TILEDisplayOptions old = FDisplayOptions;
    if ((old ^ value) & doColumnTitles)
        SetColumnTitles(value & doColumnTitles);
    if ((old & doMultiColValues) && !(value & doMultiColValues))
        SetFieldCount(2);
    FDisplayOptions = value;
    AutoSizeColumns();
    if ((old & doShowReadOnly) && !(value & doShowReadOnly))
        RebuildRows();
    UpdateDisplay();
}

void TRSCustomItemListEditor::SetColumnTitles(bool show)
{
    if (FOrientation == goVertical) {
        if (show) {
            TRSGridCore::SetRowCount(std::max(FRowCount, 2));
            SetFixedRows(1);
        } else {
            SetFixedRows(0);
        }
    } else {
        if (show) {
            TRSGridCore::SetColCount(std::max(FColCount, 2));
            SetFixedCols(1);
        } else {
            SetFixedCols(0);
        }
    }
}

// ---- fonts --------------------------------------------------------------

const TRSFont *TRSCustomItemListEditor::GetBaseFont(TRSCustomDeltaFont *) const
{
    return &FFont;
}

void TRSCustomItemListEditor::FontChanged()
{
    // The derived fonts first, so that category rows copy the new category font.
    FTitleCaptionFont.ApplyParent(&FFont);
    FCategoryFont.ApplyParent(&FFont);
    FValueFont.ApplyParent(&FFont);
    if (FInitialized)
        for (int i = 0; i < FItems->Count(); ++i)
            FItems->Item(i)->ParentFontChanged(nullptr);
    Invalidate();
}

void TRSCustomItemListEditor::ValueFontChanged()
{
    if (FInitialized)
        for (int i = 0; i < FItems->Count(); ++i)
            FItems->Item(i)->ParentValueFontChanged();
    Invalidate();
}

void TRSCustomItemListEditor::TitleCaptionFontChanged()
{
    if (FDisplayOptions & doColumnTitles)
        Invalidate();
}

void TRSCustomItemListEditor::CategoryFontChanged()
{
    // Category rows that follow the grid take the new font.
    if (FInitialized)
        for (int i = 0; i < FItems->Count(); ++i)
            if (FItems->Item(i)->Category())
                FItems->Item(i)->ParentFontChanged(nullptr);
    if (FArrangeByCategory)
        Invalidate();
}

void TRSCustomItemListEditor::TitleCaptionsChanged()
{
    if (FDisplayOptions & doColumnTitles)
        UpdateDisplay();
}

// ---- names --------------------------------------------------------------

int TRSCustomItemListEditor::CompareNames(const std::string &s1, const std::string &s2) const
{
    if (FCaseSensitive)
        return s1.compare(s2) < 0 ? -1 : (s1 == s2 ? 0 : 1);
    return RSCompareText(s1, s2);
}

// ---- row lists ----------------------------------------------------------

const std::vector<TRSItemProp *> &TRSCustomItemListEditor::AllRows() const
{
    if (FAllRowsStale) {
        FAllRowsStale = false;
        FAllRows.clear();
        TRSItemProps *items = Items();
        for (int i = 0; i < items->Count(); ++i)
            CollectSubtree(items->Item(i), FAllRows);
    }
    return FAllRows;
}

void TRSCustomItemListEditor::RebuildRows()
{
    // Only displayed rows are marked as listed.
    for (TRSItemProp *row : FDisplayedRows)
        row->FListed = false;
    FDisplayedRows.clear();
    FAllRowsStale = true;
    AllRows();
    TRSItemProps *items = Items();
    for (int i = 0; i < items->Count(); ++i) {
        TRSItemProp *row = items->Item(i);
        if (row->IsDisplayed())
            UpdateSubtreeVisibility(row, true);
    }
    for (TRSItemProp *row : FDisplayedRows)
        row->FListed = true;
}

void TRSCustomItemListEditor::UpdateSubtreeVisibility(TRSItemProp *row, bool parentShown)
{
    // Collects, in pre-order, the rows of the subtree that should be shown.
    if (!parentShown || !row->IsDisplayed())
        return;
    FDisplayedRows.push_back(row);
    if (!row->Expanded())
        return;
    TRSItemProps *items = row->Items();
    for (int i = 0; i < items->Count(); ++i)
        UpdateSubtreeVisibility(items->Item(i), true);
}

void TRSCustomItemListEditor::InsertRowsOf(TRSItemProp *row)
{
    // The whole list is made anew at the end of an update of the top
    // collection; until then rows are not placed one by one.
    if (FAllRowsStale || Items()->UpdateCount() > 0) {
        FAllRowsStale = true;
        FAllRows.clear();
        return;
    }
    // Right after the previous sibling's subtree, else right after the parent.
    TRSItemProps *collection = row->Collection();
    const int index = collection->IndexOf(row);
    int pos = 0;
    if (index > 0) {
        TRSItemProp *previous = collection->Item(index - 1);
        const int at = previous->AbsoluteIndex();
        pos = at < 0 ? static_cast<int>(FAllRows.size()) : at + previous->DescendantCount() + 1;
    } else if (TRSItemProp *parent = row->ParentItem()) {
        const int at = parent->AbsoluteIndex();
        pos = at < 0 ? static_cast<int>(FAllRows.size()) : at + 1;
    }
    std::vector<TRSItemProp *> subtree;
    CollectSubtree(row, subtree);
    pos = std::min(pos, static_cast<int>(FAllRows.size()));
    FAllRows.insert(FAllRows.begin() + pos, subtree.begin(), subtree.end());
}

void TRSCustomItemListEditor::RemoveRowsOf(TRSItemProp *row)
{
    // The subtree is contiguous in both lists; search from the back, where
    // rows are usually removed.
    const auto all = std::find(FAllRows.rbegin(), FAllRows.rend(), row);
    if (all != FAllRows.rend()) {
        auto first = std::next(all).base();
        auto last = first + 1;
        while (last != FAllRows.end() && IsInSubtree(*last, row))
            ++last;
        FAllRows.erase(first, last);
    }
    if (!row->FListed)
        return;
    const auto found = std::find(FDisplayedRows.rbegin(), FDisplayedRows.rend(), row);
    if (found == FDisplayedRows.rend())
        return;
    const auto shown = std::next(found).base();
    auto last = shown + 1;
    while (last != FDisplayedRows.end() && IsInSubtree(*last, row))
        ++last;
    for (auto it = shown; it != last; ++it)
        (*it)->FListed = false;
    FDisplayedRows.erase(shown, last);
}

int TRSCustomItemListEditor::DisplayedInsertPos(TRSItemProp *row) const
{
    // A top-level row goes before the block of the next listed sibling.
    TRSItemProps *items = row->Collection();
    for (int i = items->IndexOf(row) + 1; i < items->Count(); ++i) {
        const TRSItemProp *next = items->Item(i);
        if (next->FListed) {
            const auto it = std::find(FDisplayedRows.begin(), FDisplayedRows.end(), next);
            return static_cast<int>(it - FDisplayedRows.begin());
        }
    }
    return static_cast<int>(FDisplayedRows.size());
}

void TRSCustomItemListEditor::ItemVisibilityChanged(TRSItemProp *row)
{
    if (FDestroying || !row || Items()->UpdateCount() > 0 || row->Collection() != FItems.get())
        return;
    TRSItemProp *current = CurrentRow();
    // The top-level row's displayed subtree is one block of the list: the
    // block is computed anew and spliced in place of the old one.
    int start;
    int end;
    if (row->FListed) {
        const auto it = std::find(FDisplayedRows.begin(), FDisplayedRows.end(), row);
        start = static_cast<int>(it - FDisplayedRows.begin());
        end = start + 1;
        while (end < static_cast<int>(FDisplayedRows.size()) &&
               IsInSubtree(FDisplayedRows[end], row))
            ++end;
    } else {
        start = end = DisplayedInsertPos(row);
    }
    for (int i = start; i < end; ++i)
        FDisplayedRows[i]->FListed = false;
    std::vector<TRSItemProp *> tail(FDisplayedRows.begin() + end, FDisplayedRows.end());
    FDisplayedRows.resize(start);
    UpdateSubtreeVisibility(row, true);
    for (size_t i = start; i < FDisplayedRows.size(); ++i)
        FDisplayedRows[i]->FListed = true;
    FDisplayedRows.insert(FDisplayedRows.end(), tail.begin(), tail.end());
    UpdateDisplay();
    if (current && current->FListed && FUpdateCount == 0)
        FollowRow(current);
}

void TRSCustomItemListEditor::ItemNotify(TRSItemProp *row, TCollectionNotification action)
{
    if (FDestroying)
        return;
    if (action == cnAdded) {
        InsertRowsOf(row);
        // A row moved in from elsewhere is already visible.
        if (row->GetVisible())
            ItemVisibilityChanged(TopLevelOf(row));
        UpdateDisplay();
    } else if (action == cnExtracting) {
        ItemChanging();
        RemoveRowsOf(row);
        UpdateDisplay();
    }
}

void TRSCustomItemListEditor::ItemUpdate(TRSItemProp *row)
{
    if (FDestroying)
        return;
    if (row) {
        if (FUpdateCount == 0 && Items()->UpdateCount() == 0) {
            // The row's line shows the change too, not only the editor.
            InvalidateRowLine(row);
            InvalidateEditor();
        }
        return;
    }
    if (Items()->UpdateCount() > 0 || FUpdateCount > 0) {
        FRebuildPending = true;
        return;
    }
    RebuildRowsKeepingCurrent();
}

namespace
{

std::string LowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool MatchesRowFilter(const TRSItemProp *row, const std::string &filter,
                      const std::string &delimiter)
{
    if (row->Category())
        return false;
    std::string path;
    for (const TRSItemProp *p = row; p; p = p->ParentItem())
        if (!p->Category())
            path = path.empty() ? p->Name() : p->Name() + delimiter + path;
    return LowerCase(path).find(filter) != std::string::npos;
}

bool DescendantMatchesRowFilter(const TRSItemProp *row, const std::string &filter,
                                const std::string &delimiter)
{
    const TRSItemProps *items = row->Items();
    for (int i = 0; items && i < items->Count(); ++i) {
        const TRSItemProp *child = items->Item(i);
        if (MatchesRowFilter(child, filter, delimiter) ||
            DescendantMatchesRowFilter(child, filter, delimiter))
            return true;
    }
    return false;
}

} // namespace

void TRSCustomItemListEditor::SetRowFilter(const std::string &text)
{
    const std::string filter = LowerCase(text);
    if (filter == FRowFilter)
        return;
    FRowFilter = filter;
    for (TRSItemProp *row : AllRows())
        row->FDisplayedDescendantCount = -1;
    RebuildRowsKeepingCurrent();
}

bool TRSCustomItemListEditor::PassesRowFilter(const TRSItemProp *row) const
{
    return FRowFilter.empty() || MatchesRowFilter(row, FRowFilter, FPathDelimiter) ||
           DescendantMatchesRowFilter(row, FRowFilter, FPathDelimiter);
}

bool TRSCustomItemListEditor::OpensForRowFilter(const TRSItemProp *row) const
{
    return !FRowFilter.empty() && DescendantMatchesRowFilter(row, FRowFilter, FPathDelimiter);
}

void TRSCustomItemListEditor::RebuildRowsKeepingCurrent()
{
    FRebuildPending = false;
    TRSItemProp *current = CurrentRow();
    RebuildRows();
    UpdateRowCount();
    // The current line follows its row, so that editing goes on in the
    // same row after the rows were reordered.
    if (current && current->FListed)
        FollowRow(current);
    Invalidate();
    InvalidateEditor();
}

void TRSCustomItemListEditor::FollowRow(TRSItemProp *row)
{
    // The editor still shows the row's old line; the text it reports while
    // it moves belongs to the row, not to whatever now stands on that line.
    const int line = FixedItems() + row->DisplayIndex();
    if (line == CurrentItem())
        return;
    ++FUpdateCount;
    SetCurrentItem(line);
    --FUpdateCount;
}

void TRSCustomItemListEditor::ItemChanging()
{
    if (FUpdateCount == 0)
        HideEditor();
}

void TRSCustomItemListEditor::UpdateRowCount()
{
    const int wanted = FixedItems() + std::max(static_cast<int>(FDisplayedRows.size()), 1);
    if (wanted != ItemCount()) {
        if (wanted <= CurrentItem())
            SetCurrentItem(wanted - 1);
        SetItemCount(wanted);
    }
    if ((FDisplayOptions & doColumnTitles) && CurrentItem() == 0 && ItemCount() > 1)
        SetCurrentItem(1);
}

void TRSCustomItemListEditor::UpdateDisplay()
{
    if (FUpdateCount > 0)
        return;
    UpdateRowCount();
    Invalidate();
    InvalidateEditor();
}

void TRSCustomItemListEditor::BeginUpdate()
{
    if (FUpdateCount == 0)
        FDisplayedCountSnapshot = static_cast<int>(FDisplayedRows.size());
    ++FUpdateCount;
}

void TRSCustomItemListEditor::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount > 0)
        return;
    if (FRebuildPending && Items()->UpdateCount() == 0)
        RebuildRowsKeepingCurrent();
    else if (static_cast<int>(FDisplayedRows.size()) != FDisplayedCountSnapshot)
        UpdateDisplay();
}

void TRSCustomItemListEditor::InvalidateRowLine(const TRSItemProp *row)
{
    if (!FHost || !row->FListed)
        return;
    const int line = FixedItems() + row->DisplayIndex();
    if (FOrientation == goVertical)
        InvalidateRow(line);
    else
        InvalidateCol(line);
}

void TRSCustomItemListEditor::CollapseAll()
{
    TRSItemProps *items = Items();
    items->BeginUpdate();
    for (int i = 0; i < items->Count(); ++i)
        items->Item(i)->CollapseAll();
    items->EndUpdate();
    RebuildRowsKeepingCurrent();
}

void TRSCustomItemListEditor::ExpandAll()
{
    TRSItemProps *items = Items();
    items->BeginUpdate();
    for (int i = 0; i < items->Count(); ++i)
        items->Item(i)->ExpandAll();
    items->EndUpdate();
    RebuildRowsKeepingCurrent();
}

// ---- cells --------------------------------------------------------------

TRSItemProp *TRSCustomItemListEditor::ItemAt(int col, int row, bool skipFixed) const
{
    if (FDisplayedRows.empty())
        return nullptr;
    int k = ItemOf(col, row);
    if (skipFixed)
        k -= FixedItems();
    if (k < 0 || k >= static_cast<int>(FDisplayedRows.size()))
        return nullptr;
    return FDisplayedRows[k];
}

std::string TRSCustomItemListEditor::GetCellText(int col, int row) const
{
    const int field = FieldOf(col, row);
    const int item = ItemOf(col, row);
    if ((FDisplayOptions & doColumnTitles) && item == 0) {
        const auto &titles = FTitleCaptions.Lines();
        return field >= 0 && field < static_cast<int>(titles.size()) ? titles[field]
                                                                     : std::string();
    }
    TRSItemProp *r = ItemAt(col, row, true);
    if (!r)
        return {};
    if (field == 0)
        return r->Name();
    if (field - 1 >= std::max(ValueColumnCount(), 1))
        return {};
    return r->Values()->Get(field - 1);
}

void TRSCustomItemListEditor::SetCellText(int col, int row, const std::string &text)
{
    const int k = ItemOf(col, row) - FixedItems();
    if (k < 0)
        return;
    TRSItemProp *r =
        k < static_cast<int>(FDisplayedRows.size()) ? FDisplayedRows[k] : Items()->Add();
    const int field = FieldOf(col, row);
    if (field == 0)
        r->SetName(text);
    else
        r->Values()->Put(field - 1, text);
}

std::string TRSCustomItemListEditor::GetExpressionMask(int col, int row) const
{
    const TRSItemProp *r = ItemAt(col, row, true);
    return r && r->ExpressionMask() ? r->EditMask() : std::string();
}

const TRSFont &TRSCustomItemListEditor::GetEditorFont(int col, int row) const
{
    const TRSItemProp *r = ItemAt(col, row, true);
    if (!r)
        return FValueFont;
    const int field = FieldOf(col, row);
    return field == 0 ? r->GetFont() : r->GetColumnValueFont(field - 1);
}

TRSCellDrawInfo TRSCustomItemListEditor::CellDrawInfo(int col, int row, const TRSGridRect &rect,
                                                      bool selected, bool focused) const
{
    TRSCellDrawInfo info;
    info.TextLeft = rect.Left;
    const int field = FieldOf(col, row);
    const int item = ItemOf(col, row);
    if (FDefaultDrawing) {
        if (const TRSItemProp *r = ItemAt(col, row, true)) {
            info.Font = field == 0 ? &r->GetFont() : &r->GetColumnValueFont(field - 1);
            if (!r->Enabled())
                info.Color = TRSCellDrawInfo::tcInactiveCaptionText;
            if (field == 0) {
                if (r->HasShownChildren()) {
                    info.TextLeft += r->Level() * FIndent;
                    info.Glyph = r->Expanded() ? &FMinusGlyph : &FPlusGlyph;
                    info.GlyphX = info.TextLeft;
                    info.GlyphY = rect.Top + (FDefaultRowHeight - info.Glyph->Height) / 2;
                    info.TextLeft += FIndent;
                } else {
                    info.TextLeft += (r->Level() + 1) * FIndent;
                }
            }
        } else if (item < FixedItems()) {
            info.Font = &FTitleCaptionFont;
        } else if (field != 0) {
            info.Font = &FValueFont;
        } else {
            info.Font = &FFont;
        }
        if (col == FCurrent.X && row == FCurrent.Y) {
            if (FHideSelection && !focused)
                info.FillWithWindowColor = true;
            else if (selected && (!focused || (FOptions & (goDrawFocusSelected | goRowSelect))))
                info.Color = TRSCellDrawInfo::tcHighlightText;
        }
        info.Text = GetCellText(col, row);
    }
    info.TextX = info.TextLeft + 2;
    info.TextY = rect.Top + 2;
    return info;
}

// ---- layout -------------------------------------------------------------

void TRSCustomItemListEditor::AutoSizeColumns()
{
    if (FAutoSizing || !FHost || !FHost->IsShowing() || !(FDisplayOptions & doAutoColResize))
        return;
    const int w = FHost->ClientWidth() - 2;
    int sum = 0;
    for (int c = 0; c < FColCount; ++c)
        sum += ColWidth(c);
    if (w == sum || FColCount < 2)
        return;
    FAutoSizing = true;
    if (FDisplayOptions & doKeyColFixed) {
        const int each = (w - ColWidth(0)) / (FColCount - 1);
        for (int c = 1; c < FColCount; ++c)
            SetColWidth(c, each);
    } else {
        SetColWidth(0, w / 2);
        const int each = (w / 2 + w % 2) / (FColCount - 1);
        for (int c = 1; c < FColCount; ++c)
            SetColWidth(c, each);
    }
    FAutoSizing = false;
}

void TRSCustomItemListEditor::ColWidthsChanged()
{
    AutoSizeColumns();
}

TRSGridState TRSCustomItemListEditor::CalcSizingState(int x, int y, int &index, int &sizingPos,
                                                      int &sizingOfs)
{
    if (!(FOptions & (goColSizing | goRowSizing)))
        return gsNormal;
    const bool cols = FOptions & goColSizing;
    const int lineWidth = FGridLineWidth;
    int back = 0;
    int range = lineWidth;
    if (lineWidth < 7) {
        back = (7 - lineWidth) / 2;
        range = 7;
    }
    int pos = cols ? x : y;
    if (cols && FHost && FHost->IsRightToLeft())
        pos = FHost->ClientWidth() - x;
    const int boundary = FHost ? (cols ? FHost->ClientWidth() : FHost->ClientHeight())
                               : (cols ? GridWidth() : GridHeight());
    const int count = cols ? FColCount : FRowCount;
    const int fixed = cols ? FFixedCols : FFixedRows;
    const int first = cols ? FTopLeft.X : FTopLeft.Y;
    const auto extentOf = [&](int i) { return cols ? ColWidth(i) : RowHeight(i); };
    TRSGridState state = gsNormal;
    int line = 0;
    int lastFull = -1;
    for (int i = 0; i < fixed; ++i)
        line += extentOf(i) + lineWidth;
    for (int i = first; i < count; ++i) {
        line += extentOf(i) + lineWidth;
        if (line > boundary)
            break;
        lastFull = i;
        if (pos >= line - back && pos <= line - back + range) {
            state = cols ? gsColSizing : gsRowSizing;
            index = i;
            sizingPos = line;
            sizingOfs = line - pos;
            break;
        }
    }
    const int extent = cols ? GridWidth() : GridHeight();
    if (state == gsNormal && extent == boundary && pos >= extent - back && pos <= extent) {
        state = cols ? gsColSizing : gsRowSizing;
        index = lastFull + 1 < count ? lastFull + 1 : lastFull;
        sizingPos = extent;
        sizingOfs = extent - pos;
    }
    return state;
}

void TRSCustomItemListEditor::OrientationChanged()
{
    const bool editing = Editing();
    if (editing)
        FHost->HideEditor();
    const TRSGridSelection sel = Selection();
    const int cols = FColCount;
    const int rows = FRowCount;
    TRSGridCore::SetColCount(rows);
    TRSGridCore::SetRowCount(cols);
    SetColumnTitles(FDisplayOptions & doColumnTitles);
    if (FixedFields() == 1)
        SetFixedFields(0);
    FAnchor = {std::clamp(sel.Bottom, 0, FColCount - 1), std::clamp(sel.Right, 0, FRowCount - 1)};
    MoveCurrent(sel.Top, sel.Left, false, true);
    UpdateDisplay();
    if (editing)
        ShowEditor();
}

// ---- editing ------------------------------------------------------------

bool TRSCustomItemListEditor::CanEditModify() const
{
    if (!(FOptions & goEditing))
        return false;
    const TRSItemProp *r = CurrentRow();
    return !r || !r->GetReadOnly();
}

std::string TRSCustomItemListEditor::GetEditMask(int col, int row)
{
    const TRSItemProp *r = ItemAt(col, row, true);
    std::string mask = r && !r->ExpressionMask() ? r->EditMask() : std::string();
    if (OnGetEditMask)
        OnGetEditMask(this, col, row, mask);
    return mask;
}

TRSEditStyle TRSCustomItemListEditor::GetEditStyle(int col, int row)
{
    if (FieldOf(col, row) == 0)
        return esSimple;
    if (const TRSItemProp *r = ItemAt(col, row, true))
        return r->EditStyle();
    TRSStringList list;
    return DoGetPickList(nullptr, &list, true) ? esPickList : esSimple;
}

std::string TRSCustomItemListEditor::GetEditText(int col, int row)
{
    std::string text = GetCellText(col, row);
    if (OnGetEditText)
        OnGetEditText(this, col, row, text);
    return text;
}

void TRSCustomItemListEditor::GetPickListItems(int col, int row, TRSStringList *list)
{
    if (!IsValueCell(col, row))
        return;
    TRSItemProp *r = ItemAt(col, row, true);
    if (r && r->FPickList && r->FPickList->Count() > 0)
        list->Assign(*r->FPickList);
    else
        list->Clear();
    DoGetPickList(r, list, false);
}

bool TRSCustomItemListEditor::DoGetPickList(TRSItemProp *row, TRSStringList *list, bool clear)
{
    const TRSGridCoord key = CellOf(0, CurrentItem());
    if (GetCellText(key.X, key.Y).empty())
        return false;
    list->BeginUpdate();
    try {
        if (clear)
            list->Clear();
        const std::string name = row ? row->GetFullName() : std::string();
        if (row && row->OnGetPickList)
            row->OnGetPickList(row, name, list);
        else if (OnGetPickList)
            OnGetPickList(this, name, list);
    } catch (...) {
        list->EndUpdate();
        throw;
    }
    list->EndUpdate();
    const bool loaded = list->Count() > 0;
    if (FHost && FHost->EditorExists())
        FHost->SetEditorPickListLoaded(loaded);
    return loaded;
}

void TRSCustomItemListEditor::EditButtonClick()
{
    TRSItemProp *r = CurrentRow();
    if (r && r->OnEditButtonClick)
        r->OnEditButtonClick(r);
    else if (OnEditButtonClick)
        OnEditButtonClick(r);
}

void TRSCustomItemListEditor::SelectItem(TRSItemProp *row)
{
    if (row == CurrentRow())
        return;
    if (!row) {
        HideEditor();
        return;
    }
    std::vector<TRSItemProp *> ancestors;
    for (TRSItemProp *p = row->ParentItem(); p; p = p->ParentItem())
        ancestors.push_back(p);
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it)
        (*it)->Expand();
    if (row->FListed) {
        const TRSGridCoord c = CellOf(CurrentField(), FixedItems() + row->DisplayIndex());
        FocusCell(c.X, c.Y, true);
    }
}

TRSItemProp *TRSCustomItemListEditor::FindRow(const TRSItemKey &key, bool create)
{
    if (FDisplayedRows.empty())
        return nullptr;
    int index;
    if (const int *ordinal = std::get_if<int>(&key)) {
        index = *ordinal;
    } else {
        const std::string &text = std::get<std::string>(key);
        index = -1;
        for (size_t i = 0; i < FDisplayedRows.size(); ++i)
            if (CompareNames(FDisplayedRows[i]->DisplayName(), text) == 0) {
                index = static_cast<int>(i);
                break;
            }
        if (index == -1 && create)
            throw ERSException(RSFormat(RSConsts::SPropertyNotFound, text));
    }
    if (index >= 0 && index < static_cast<int>(FDisplayedRows.size()))
        return FDisplayedRows[index];
    return create ? Items()->Insert(index) : nullptr;
}

void TRSCustomItemListEditor::CommitEdit()
{
    if (!FHost || !FHost->EditorExists() || !FHost->EditorModified())
        return;
    // Whatever way the value leaves the editor, it passes the editor's check.
    FHost->ValidateEditor();
    if (TRSItemProp *r = CurrentRow())
        r->Validate();
    FHost->SetEditorModified(false);
}

void TRSCustomItemListEditor::DoExit()
{
    try {
        CommitEdit();
    } catch (...) {
        if (FHost)
            FHost->SetGridFocus();
        throw;
    }
    HideEditor();
}

void TRSCustomItemListEditor::SetEditText(int col, int row, const std::string &value)
{
    if (FUpdateCount > 0)
        return;
    if (OnSetEditText)
        OnSetEditText(this, col, row, value);
    TGridUpdate bracket(this);
    const int k = ItemOf(col, row) - FixedItems();
    if (k >= static_cast<int>(FDisplayedRows.size()) && !value.empty()) {
        Items()->Add();
        FDisplayedCountSnapshot = static_cast<int>(FDisplayedRows.size());
    }
    if (value == GetCellText(col, row))
        return;
    if (FieldOf(col, row) == 0 && (FPropertyOptions & propUnique) && !value.empty()) {
        const TRSItemProp *r = ItemAt(col, row, true);
        const TRSItemProps *collection = r ? r->Collection() : Items();
        const int i = collection->IndexOfName(value);
        if (i != -1 && collection->Item(i) != r) {
            // The first colliding text is held back; the same text arriving
            // again is written, and the row refuses it with the error.
            if (FPendingName != value) {
                FPendingName = value;
                return;
            }
            FPendingName.clear();
            SetCellText(col, row, value);
            return;
        }
    }
    FPendingName.clear();
    SetCellText(col, row, value);
}

void TRSCustomItemListEditor::DeleteItemAt(int col, int row)
{
    if (FDeleting)
        return;
    FDeleting = true;
    try {
        if (CurrentItem() == ItemCount() - 1 && FDisplayedRows.size() > 1)
            SetCurrentItem(CurrentItem() - 1);
        const int k = ItemOf(col, row) - FixedItems();
        if (k >= 0 && k < static_cast<int>(FDisplayedRows.size())) {
            TRSItemProp *r = FDisplayedRows[k];
            r->Collection()->Delete(r->Index());
        }
    } catch (...) {
        FDeleting = false;
        throw;
    }
    FDeleting = false;
}

void TRSCustomItemListEditor::DeleteRow(int row)
{
    if (FOrientation == goVertical)
        DeleteItemAt(0, row);
}

bool TRSCustomItemListEditor::SelectCell(int col, int row)
{
    const int target = ItemOf(col, row);
    if (FDeleteBlanks && target != CurrentItem() && !FDisplayedRows.empty() && !FDeleting) {
        TRSItemProp *current = CurrentRow();
        if (current && current->Name().empty() && current->IsBlank()) {
            const int currentItem = CurrentItem();
            DeleteItemAt(FCurrent.X, FCurrent.Y);
            if (target > currentItem) {
                const TRSGridCoord c = CellOf(FieldOf(col, row), target - 1);
                FocusCell(c.X, c.Y, true);
                return false;
            }
            return true;
        }
    }
    CommitEdit();
    return TRSGridCore::SelectCell(col, row) &&
           ((FOptions & goRowSelect) || IsValueCell(col, row) || (FPropertyOptions & propEdit));
}

bool TRSCustomItemListEditor::CanAddRows() const
{
    if (!(FPropertyOptions & propAdd))
        return false;
    const TRSGridCoord key = CellOf(0, CurrentItem());
    return !GetCellText(key.X, key.Y).empty();
}

int TRSCustomItemListEditor::AddRow(bool insert)
{
    TRSItemProp *current = CurrentRow();
    TRSItemProp *r;
    if (current && current->Name().empty() && current->IsBlank()) {
        r = current;
    } else if (!insert) {
        r = Items()->Add();
    } else {
        r = Items()->Insert(std::max(CurrentItem() - FixedItems(), 0));
    }
    r->SetName("");
    r->Values()->Put(0, "");
    const int line = FixedItems() + std::max(r->DisplayIndex(), 0);
    const TRSGridCoord c = CellOf(CurrentField(), line);
    FocusCell(c.X, c.Y, true);
    return line;
}

void TRSCustomItemListEditor::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    const bool ctrl = shift == Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        CommitEdit();
        break;
    case Qt::Key_Escape:
        if (FHost && FHost->EditorExists() && FHost->EditorModified() && FHost->RestoreEditor()) {
            FHost->SelectEditorText();
        } else if (TRSItemProp *r = CurrentRow(); r && r->Name().empty() && r->IsBlank()) {
            DeleteItemAt(FCurrent.X, FCurrent.Y);
        }
        break;
    case Qt::Key_Up:
        if (ctrl) {
            const TRSGridCoord c = CellOf(CurrentField(), FixedItems());
            FocusCell(c.X, c.Y, true);
            key = 0;
        }
        break;
    case Qt::Key_Down:
        if (ctrl) {
            const TRSGridCoord c = CellOf(CurrentField(), ItemCount() - 1);
            FocusCell(c.X, c.Y, true);
            key = 0;
        } else if (shift == Qt::NoModifier && CurrentItem() == ItemCount() - 1 && CanAddRows()) {
            AddRow(false);
            key = 0;
        }
        break;
    case Qt::Key_Insert:
        if (CanAddRows()) {
            AddRow(true);
            key = 0;
        }
        break;
    case Qt::Key_Delete:
        if (ctrl) {
            if (FPropertyOptions & propDelete)
                DeleteItemAt(FCurrent.X, FCurrent.Y);
            key = 0;
        }
        break;
    default:
        break;
    }
    if (key != 0)
        TRSGridCore::KeyDown(key, shift);
}

void TRSCustomItemListEditor::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                                        int y, bool doubleClick)
{
    if (button == Qt::LeftButton) {
        const TRSGridCoord cell = MouseCoord(x, y);
        if (cell.X >= 0 && FieldOf(cell.X, cell.Y) == 0) {
            const int item = ItemOf(cell.X, cell.Y);
            if ((FOptions & goEditing) && item != CurrentItem() && item >= FixedItems()) {
                const TRSGridCoord c = CellOf(1, item);
                FocusCell(c.X, c.Y, !(shift & Qt::ShiftModifier));
            }
            TRSItemProp *r = ItemAt(cell.X, cell.Y, true);
            if (!doubleClick && r && r->HasChildren()) {
                const TRSGridRect rect = CellRect(cell.X, cell.Y);
                const int gx = rect.Left + r->Level() * FIndent;
                const int gy = rect.Top + (FDefaultRowHeight - FMinusGlyph.Height) / 2;
                if (x >= gx && x < gx + FMinusGlyph.Width && y >= gy &&
                    y < gy + FMinusGlyph.Height) {
                    r->SetExpanded(!r->Expanded());
                    return;
                }
            }
        }
        if ((FOptions & goEditing) && FCurrent.X >= FFixedCols && FCurrent.Y >= FFixedRows)
            ShowEditor();
    }
    TRSGridCore::MouseDown(button, shift, x, y, doubleClick);
}

// ---- categories ---------------------------------------------------------

TRSItemProp *TRSCustomItemListEditor::FindCategoryFor(TRSItemProp *row, const std::string &name)
{
    if (FLoading)
        return row->ParentItem();
    TRSItemProp *parent = row->ParentItem();
    TRSItemProps *collection =
        parent && parent->Category() ? parent->Collection() : row->Collection();
    if (!collection)
        return nullptr;
    TRSItemProp *result = collection->DefaultCategoryItem();
    if (!result && collection == FItems.get())
        result = collection->GetDefaultCategory();
    std::string category;
    TRSStringList &categories = collection->Categories();
    for (int i = 0; i < categories.Count(); ++i)
        if (CompareNames(categories.Name(i), name) == 0) {
            category = categories.ValueFromIndex(i);
            break;
        }
    if (OnCategorize)
        OnCategorize(this, row, name, category);
    if (!category.empty()) {
        const int i = collection->IndexOfCategory(category);
        result = i >= 0 ? collection->Item(i) : collection->AddCategory(category, true);
    }
    return result;
}

void TRSCustomItemListEditor::CategorizeItem(TRSItemProp *row, TRSStringList &categories, bool keep)
{
    if (FLoading)
        keep = false;
    if (!row->ParentItem())
        return;
    const std::string name = row->Name();
    int first = -1;
    for (int i = 0; i < categories.Count(); ++i)
        if (CompareNames(categories.Name(i), name) == 0) {
            first = i;
            break;
        }
    TRSItemProp *category = FindCategoryFor(row, name);
    if (!category)
        return;
    const auto copyInto = [&](TRSItemProp *target) {
        TRSItemProp *copy = row->Collection()->Add();
        copy->Assign(*row);
        copy->SetCollection(target->Items());
    };
    if (!keep)
        row->SetCollection(category->Items());
    else if (row->ParentItem() != category)
        copyInto(category);
    if (first == -1)
        return;
    for (int i = first + 1; i < categories.Count(); ++i) {
        if (CompareNames(categories.Name(i), name) != 0)
            continue;
        const std::string categoryName = categories.ValueFromIndex(i);
        TRSItemProp *parent = row->ParentItem();
        if (keep) {
            if (parent && parent->Category() && parent->Name() == categoryName)
                continue;
            TRSItemProps *where =
                parent && parent->Category() ? parent->Collection() : row->Collection();
            copyInto(where->AddCategory(categoryName, false));
        } else {
            row->SetCollection(row->Collection()->AddCategory(categoryName, false)->Items());
        }
    }
}

void TRSCustomItemListEditor::CategorizeItems(TRSItemProps *collection, TRSStringList &categories,
                                              bool keep)
{
    std::vector<TRSItemProp *> rows;
    for (int i = 0; i < collection->Count(); ++i)
        rows.push_back(collection->Item(i));
    for (TRSItemProp *row : rows)
        CategorizeItem(row, categories, keep);
}

void TRSCustomItemListEditor::Categorize()
{
    std::vector<TRSItemProp *> rows;
    TRSItemProps *items = Items();
    for (int i = 0; i < items->Count(); ++i)
        if (!items->Item(i)->Category())
            rows.push_back(items->Item(i));
    for (TRSItemProp *row : rows)
        if (TRSItemProp *category = FindCategoryFor(row, row->Name()); category && category != row)
            row->SetCollection(category->Items());
}

void TRSCustomItemListEditor::Recategorize()
{
    Categorize();
}

// ---- hints --------------------------------------------------------------

void TRSCustomItemListEditor::GetItemHint(TRSItemProp *row, int col, int rowNumber,
                                          std::string &hint)
{
    const std::string text = GetCellText(col, rowNumber);
    if (IsValueCell(col, rowNumber)) {
        switch (FShowItemHintStyle) {
        case shValueOnly:
            hint = text;
            break;
        case shHintOnly:
            hint = row->Hint();
            break;
        case shValueAndHint:
            hint = row->Hint().empty() ? text : text + "\r\n(" + row->Hint() + ")";
            break;
        case shNone:
            hint.clear();
            break;
        }
    } else {
        hint = text;
    }
    if (OnShowHints)
        OnShowHints(this, row, hint);
}

TRSCustomItemListEditor::TRSItemHintRequest TRSCustomItemListEditor::ItemHintAt(
    int x, int y,
    const std::function<void(const std::string &, const TRSFont &, int &, int &)> &measure)
{
    TRSItemHintRequest request;
    if (FShowItemHintStyle == shNone || (x == FLastMouseX && y == FLastMouseY)) {
        request.Change = false;
        return request;
    }
    FLastMouseX = x;
    FLastMouseY = y;
    const TRSGridCoord cell = MouseCoord(x, y);
    if (cell.X < 0 || ItemOf(cell.X, cell.Y) < FixedItems())
        return request;
    TRSItemProp *r = ItemAt(cell.X, cell.Y, true);
    if (!r)
        return request;
    std::string hint;
    GetItemHint(r, cell.X, cell.Y, hint);
    if (hint.empty())
        return request;
    const bool valueCell = IsValueCell(cell.X, cell.Y);
    const TRSFont &font = valueCell ? r->GetValueFont() : r->GetFont();
    int width = 0;
    int height = 0;
    measure(hint, font, width, height);
    width += 6;
    height += 2;
    const int shift = valueCell ? 0 : (r->Level() + 1) * FIndent;
    const TRSGridRect rect = CellRect(cell.X, cell.Y);
    if (hint != GetCellText(cell.X, cell.Y) || rect.Width() < width + shift) {
        request.Show = true;
        request.Text = hint;
        request.X = rect.Left + shift;
        request.Y = rect.Top;
        request.Font = &font;
    }
    return request;
}

// ---- the published grid -------------------------------------------------

namespace
{
TRSItemListEditor::TRowsFiler &RowsFiler()
{
    static TRSItemListEditor::TRowsFiler filer;
    return filer;
}
} // namespace

void TRSItemListEditor::InstallRowsFiler(TRowsFiler filer)
{
    RowsFiler() = std::move(filer);
}

void TRSItemListEditor::DefineProperties(TFiler &filer)
{
    if (RowsFiler())
        RowsFiler()(filer, *Items());
}
