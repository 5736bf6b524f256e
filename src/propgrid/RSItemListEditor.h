#pragma once

#include "propgrid/RSDeltaFont.h"
#include "propgrid/RSGridCore.h"
#include "propgrid/RSItemProps.h"
#include "propgrid/RSStringList.h"
#include "reflection/Persistent.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class TRSItemProp;
class TRSItemStrings;

// A tiny 1-bit picture for the expand/collapse glyphs: Pixels[y * Width + x]
// is true for black.
struct TRSGlyph {
    int Width = 0;
    int Height = 0;
    std::vector<bool> Pixels;
    bool Black(int x, int y) const { return Pixels[y * Width + x]; }
    bool operator==(const TRSGlyph &) const = default;
    static TRSGlyph Minus();
    static TRSGlyph Plus();
};

// How one cell is to be painted; the view renders it.
struct TRSCellDrawInfo {
    enum TextColor { tcFont, tcInactiveCaptionText, tcHighlightText };
    std::string Text;
    const TRSFont *Font = nullptr;
    TextColor Color = tcFont;
    // Left edge of the text rectangle (moved by indentation) and text origin.
    int TextLeft = 0;
    int TextX = 0;
    int TextY = 0;
    // Glyph to draw at (GlyphX, GlyphY), or none.
    const TRSGlyph *Glyph = nullptr;
    int GlyphX = 0;
    int GlyphY = 0;
    // The current cell of an unfocused grid that hides its selection.
    bool FillWithWindowColor = false;
};

// The grid that shows a tree of rows as a key/value table, with the row
// lists, editing, categories and hints. Toolkit-free; a view paints it.
// Its published properties are inspected and streamed as those of the
// designed controls are.
class TRSCustomItemListEditor : public TRSGridCore, public TPersistent
{
public:
    TRSCustomItemListEditor();
    ~TRSCustomItemListEditor() override;

    // Makes the top collection through the overridable CreateItems and runs
    // InitCategories; runs by itself on first use of Items.
    void Init();

    // Properties.
    // The top collection, made by CreateItems on first use.
    TRSItemProps *Items() const;
    void SetItems(TRSItemProps &value);
    TRSStringList &TitleCaptions() { return FTitleCaptions; }
    void SetTitleCaptions(TRSStringList &value) { FTitleCaptions.Assign(value); }
    TILEDisplayOptions DisplayOptions() const { return FDisplayOptions; }
    int DropDownRows() const { return FDropDownRows; }
    void SetDropDownRows(int value);
    const std::string &PendingName() const { return FPendingName; }
    TILEPropOptions PropertyOptions() const { return FPropertyOptions; }
    void SetPropertyOptions(TILEPropOptions value);
    const std::vector<TRSItemProp *> &AllRows() const;
    const std::vector<TRSItemProp *> &DisplayedRows() const { return FDisplayedRows; }
    const std::string &PathDelimiter() const { return FPathDelimiter; }
    void SetPathDelimiter(const std::string &value) { FPathDelimiter = value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value);
    // A text that narrows the shown rows to those whose property path (the
    // names from the top, categories left out) contains it, whatever the
    // letter case, and to the rows that lead to them, which open. The rows
    // themselves stay: what is read, written or saved through them is the
    // same with or without a filter.
    const std::string &RowFilter() const { return FRowFilter; }
    void SetRowFilter(const std::string &text);
    // Whether a row is shown under the filter: it matches, or a row below
    // it does.
    bool PassesRowFilter(const TRSItemProp *row) const;
    // Whether the filter opens a row: a row below it matches.
    bool OpensForRowFilter(const TRSItemProp *row) const;
    TRSFont &Font() { return FFont; }
    const TRSFont &Font() const { return FFont; }
    TRSCustomDeltaFont &ValueFont() { return FValueFont; }
    TRSCustomDeltaFont &CategoryFont() { return FCategoryFont; }
    TRSCustomDeltaFont &TitleCaptionFont() { return FTitleCaptionFont; }
    int Indent() const { return FIndent; }
    void SetIndent(int value);
    const TRSGlyph &MinusGlyph() const { return FMinusGlyph; }
    const TRSGlyph &PlusGlyph() const { return FPlusGlyph; }
    void SetMinusGlyph(const TRSGlyph &value);
    void SetPlusGlyph(const TRSGlyph &value);
    TRSItemStrings &Strings() { return *FStrings; }
    // Each line of the list becomes a row.
    void SetStrings(TRSStringList &value);
    // TitleCaptions are written out only when they differ from the default.
    bool IsTitleCaptionsStored();
    bool ArrangeByCategory() const { return FArrangeByCategory; }
    TRSGridOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TRSGridOrientation value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value);
    TGridShowHints ShowItemHintStyle() const { return FShowItemHintStyle; }
    void SetShowItemHintStyle(TGridShowHints value) { FShowItemHintStyle = value; }
    bool DeleteBlanks() const { return FDeleteBlanks; }
    void SetDeleteBlanks(bool value) { FDeleteBlanks = value; }
    bool Sorted() const;
    void SetSorted(bool value);
    int UpdateCounter() const { return FUpdateCount; }
    // True while the grid is filled from stored properties: rows read keep
    // the place they were stored in, and follow-ups wait for Loaded.
    bool Loading() const { return FLoading; }
    void BeginLoading() { FLoading = true; }
    // Ends the loading and runs Loaded.
    void EndLoading();
    virtual void Loaded() {}
    bool Destroying() const { return FDestroying; }
    void SetColCount(int value) override;
    // The counts as their published properties set them. Counts read are
    // set again at the end of the reading: they were stored in the
    // orientation read with them, and a change of orientation read after
    // them swaps them.
    void SetPublishedColCount(int value);
    void SetPublishedRowCount(int value);
    void BeginReading() override;
    void EndReading() override;

    TNotifyEvent OnEditButtonClick;
    TRSGetPickListEvent OnGetPickList;
    TRSOnValidateEvent OnValidate;
    TRSGetCategoryEvent OnCategorize;
    TRSOnShowHintsEvent OnShowHints;
    std::function<void(TRSObject *Sender, int ACol, int ARow, std::string &Value)> OnGetEditMask;
    std::function<void(TRSObject *Sender, int ACol, int ARow, std::string &Value)> OnGetEditText;
    std::function<void(TRSObject *Sender, int ACol, int ARow, const std::string &Value)>
        OnSetEditText;
    // Set by the view: a double-click handler of the grid exists.
    bool HasDblClickHandler = false;

    // Logical axes: fields (key, values) and items (fixed lines, then rows).
    int FieldOf(int col, int row) const { return FOrientation == goVertical ? col : row; }
    int ItemOf(int col, int row) const { return FOrientation == goVertical ? row : col; }
    int FieldCount() const { return FOrientation == goVertical ? FColCount : FRowCount; }
    int ItemCount() const { return FOrientation == goVertical ? FRowCount : FColCount; }
    int CurrentField() const { return FieldOf(FCurrent.X, FCurrent.Y); }
    int CurrentItem() const { return ItemOf(FCurrent.X, FCurrent.Y); }
    int FixedFields() const { return FOrientation == goVertical ? FFixedCols : FFixedRows; }
    int FixedItems() const { return FOrientation == goVertical ? FFixedRows : FFixedCols; }
    void SetFieldCount(int value);
    void SetItemCount(int value);
    void SetCurrentField(int value);
    void SetCurrentItem(int value);
    void SetFixedFields(int value);
    void SetFixedItems(int value);
    // Physical cell of a field and item.
    TRSGridCoord CellOf(int field, int item) const;
    bool IsValueCell(int col, int row) const { return FieldOf(col, row) != 0; }
    int ValueColumnCount() const { return FieldCount() - 1; }
    TRSItemProp *CurrentRow() const { return ItemAt(FCurrent.X, FCurrent.Y, true); }

    // Virtual operations.
    virtual std::string GetExpressionMask(int col, int row) const;
    virtual void AutoSizeColumns();
    virtual void UpdateRowCount();
    // Names that compare equal have the same length (IndexOfName relies on it).
    virtual int CompareNames(const std::string &s1, const std::string &s2) const;
    virtual void InitCategories() {}
    virtual void CommitEdit();
    virtual void BeginUpdate();
    virtual void EndUpdate();
    virtual void GetPickListItems(int col, int row, TRSStringList *list);
    virtual void EditButtonClick();
    virtual TRSItemProp *FindRow(const TRSItemKey &key, bool create);
    virtual TRSItemProp *ItemAt(int col, int row, bool skipFixed) const;
    virtual std::string GetCellText(int col, int row) const;
    virtual const TRSFont &GetEditorFont(int col, int row) const;
    virtual bool DoGetPickList(TRSItemProp *row, TRSStringList *list, bool clear);
    virtual void SetCellText(int col, int row, const std::string &text);
    virtual void SetArrangeByCategory(bool value);
    virtual void SetDisplayOptions(TILEDisplayOptions value);
    virtual void SetColumnTitles(bool show);
    virtual void CollapseAll();
    virtual void ExpandAll();
    virtual void CategorizeItem(TRSItemProp *row, TRSStringList &categories, bool keep);
    virtual void CategorizeItems(TRSItemProps *collection, TRSStringList &categories, bool keep);
    virtual void Categorize();
    virtual void Recategorize();
    virtual void DeleteItemAt(int col, int row);
    virtual void UpdateDisplay();
    void SelectItem(TRSItemProp *row);
    TRSItemProp *FindCategoryFor(TRSItemProp *row, const std::string &name);

    // Hooks.
    virtual const TRSFont *GetBaseFont(TRSCustomDeltaFont *font) const;
    virtual void FontChanged();
    virtual void ValueFontChanged();
    virtual void TitleCaptionFontChanged();
    virtual void CategoryFontChanged();
    virtual void TitleCaptionsChanged();
    virtual TRSItemProps *CreateItems(TRSItemProp *owner);
    virtual void ItemNotify(TRSItemProp *row, TCollectionNotification action);
    virtual void OrientationChanged();
    virtual void ItemUpdate(TRSItemProp *row);
    virtual void ItemChanging();
    virtual void GetItemHint(TRSItemProp *row, int col, int rowNumber, std::string &hint);
    virtual void ItemVisibilityChanged(TRSItemProp *row);
    virtual void UpdateSubtreeVisibility(TRSItemProp *row, bool parentShown);

    // Platform grid operations overridden here.
    TRSGridState CalcSizingState(int x, int y, int &index, int &sizingPos, int &sizingOfs) override;
    bool SelectCell(int col, int row) override;
    void DeleteRow(int row);
    bool CanEditModify() const;
    // Whether the in-place editor may stand on the current cell. The blank
    // line of an empty grid takes typing: it becomes the first row.
    virtual bool CanEditShow() const { return true; }
    void DoExit();
    virtual std::string GetEditMask(int col, int row);
    virtual TRSEditStyle GetEditStyle(int col, int row);
    virtual std::string GetEditText(int col, int row);
    virtual void SetEditText(int col, int row, const std::string &value);
    void ColWidthsChanged() override;
    void KeyDown(int &key, Qt::KeyboardModifiers shift) override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y,
                   bool doubleClick) override;
    void Resize() { AutoSizeColumns(); }
    void Shown() { AutoSizeColumns(); }
    // Item hint for the mouse at a client point: empty hides the hint; the
    // answer also carries the cell's top-left for the text and the size.
    struct TRSItemHintRequest {
        bool Change = true; // false: leave the hint window as it is
        bool Show = false;
        std::string Text;
        int X = 0;
        int Y = 0;
        const TRSFont *Font = nullptr;
    };
    // Decides the item hint for the mouse; measure gives the text size.
    TRSItemHintRequest ItemHintAt(
        int x, int y,
        const std::function<void(const std::string &, const TRSFont &, int &, int &)> &measure);

    // Drawing rules of one cell with its rectangle, selection and focus.
    TRSCellDrawInfo CellDrawInfo(int col, int row, const TRSGridRect &rect, bool selected,
                                 bool focused) const;

    // Rebuilds AllRows and DisplayedRows from the tree.
    void RebuildRows();
    // Repaints the grid line that shows the row.
    void InvalidateRowLine(const TRSItemProp *row);
    bool Editing() const { return FHost && FHost->EditorVisible(); }
    // Counts changes of the rows' make-up (rows added, removed or changed in
    // anything but their values), so that a holder of rows can tell whether
    // they are still as it left them.
    uint64_t RowsStamp() const { return FRowsStamp; }
    void NoteRowsChanged() { ++FRowsStamp; }

protected:
    int AddRow(bool insert);
    bool CanAddRows() const;
    void InsertRowsOf(TRSItemProp *row);
    void RemoveRowsOf(TRSItemProp *row);
    int DisplayedInsertPos(TRSItemProp *row) const;
    void RebuildRowsKeepingCurrent();
    // Moves the current line to where the row is now shown.
    void FollowRow(TRSItemProp *row);

    std::unique_ptr<TRSItemProps> FItems;
    TRSStringList FTitleCaptions;
    TILEDisplayOptions FDisplayOptions = 0;
    int FDropDownRows = 8;
    std::string FPendingName;
    bool FDeleting = false;
    int FDisplayedCountSnapshot = 0;
    int FUpdateCount = 0;
    bool FAutoSizing = false;
    TILEPropOptions FPropertyOptions = 0;
    // Rows added while the top collection is in an update are listed when
    // the list is next asked for, or when the update ends.
    mutable std::vector<TRSItemProp *> FAllRows;
    mutable bool FAllRowsStale = false;
    std::vector<TRSItemProp *> FDisplayedRows;
    std::string FPathDelimiter = ".";
    std::string FRowFilter;
    bool FCaseSensitive = false;
    TRSFont FFont;
    TRSCustomDeltaFont FValueFont;
    int FIndent = 11;
    TRSGlyph FMinusGlyph;
    TRSGlyph FPlusGlyph;
    std::unique_ptr<TRSItemStrings> FStrings;
    bool FArrangeByCategory = false;
    TRSCustomDeltaFont FCategoryFont;
    TRSCustomDeltaFont FTitleCaptionFont;
    TRSGridOrientation FOrientation = goVertical;
    bool FHideSelection = true;
    TGridShowHints FShowItemHintStyle = shValueAndHint;
    int FLastMouseY = 0;
    int FLastMouseX = 0;
    bool FDeleteBlanks = true;
    bool FLoading = false;
    bool FReading = false;
    // The reading set the loading state, and ends it.
    bool FLoadingForReading = false;
    std::optional<int> FReadColCount;
    std::optional<int> FReadRowCount;
    bool FDestroying = false;
    bool FInitialized = false;
    // A whole-tree change arrived inside an update bracket.
    bool FRebuildPending = false;
    uint64_t FRowsStamp = 0;
};

// The grid with its properties published. Its rows are stored as "Items"
// besides them, by the row filer installed with the class descriptions.
class TRSItemListEditor : public TRSCustomItemListEditor
{
public:
    using TRowsFiler = std::function<void(TFiler &filer, TRSItemProps &rows)>;
    static void InstallRowsFiler(TRowsFiler filer);
    void DefineProperties(TFiler &filer) override;
};
