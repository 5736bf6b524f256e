#pragma once

#include "propgrid/RSFont.h"
#include "reflection/RSTypes.h"

#include <cstdint>
#include <memory>
#include <string>

class TRSItemProps;
class TRSItemPropValueStrings;
class TRSCustomItemListEditor;

// One row of the property grid: a name, one value per value column, a hint,
// an edit style, display attributes and child rows.
class TRSItemProp : public TRSObject
{
public:
    TRSItemProp();
    ~TRSItemProp() override;
    TRSItemProp(const TRSItemProp &) = delete;
    TRSItemProp &operator=(const TRSItemProp &) = delete;

    // Place in the tree.
    TRSItemProps *Collection() const { return FCollection; }
    TRSItemProp *ParentItem() const;
    TRSCustomItemListEditor *Grid() const;
    int Index() const;
    void SetIndex(int value);
    // Moves the row (with its children) to the end of another collection.
    void SetCollection(TRSItemProps *value);
    int Level() const;
    int AbsoluteIndex() const;
    int DisplayIndex() const;
    int DescendantCount() const { return FDescendantCount; }
    int DisplayedDescendantCount();

    // Fields.
    const std::string &Name() const { return FName; }
    const std::string &Hint() const { return FHint; }
    TRSEditStyle EditStyle() const { return FEditStyle; }
    const std::string &EditMask() const { return FEditMask; }
    bool ExpressionMask() const { return FExpressionMask; }
    TRSItemProps *Items() const { return FItems.get(); }
    TRSItemPropValueStrings *Values() const { return FValues.get(); }
    std::intptr_t ItemObject() const { return FItemObject; }
    int Tag() const { return FTag; }
    void SetTag(int value) { FTag = value; }
    bool ParentFont() const { return FParentFont; }
    bool ParentValueFont() const { return FParentValueFont; }
    TRSFont &Font() { return FFont; }
    TRSFont &ValueFont() { return FValueFont; }
    bool Enabled() const { return FEnabled; }
    bool Category() const { return FCategory; }
    bool DefaultCategory() const { return FDefaultCategory; }
    bool Expanded() const;
    std::string Value();
    std::string DisplayName();

    TNotifyEvent OnEditButtonClick;
    TRSGetPickListEvent OnGetPickList;
    TRSOnValidateEvent OnValidate;

    // Virtual operations.
    void HideGridEditor();
    void VisibilityChanged();
    std::string GetFullName() const;
    virtual const TRSFont &GetFont() const;
    virtual const TRSFont &GetValueFont() const;
    virtual const TRSFont &GetColumnValueFont(int index) const;
    TRSStringList *GetPickList();
    virtual bool GetReadOnly() const;
    bool GetVisible() const { return FVisible; }
    // The row's own read-only flag, whatever Enabled says.
    bool ReadOnlyFlag() const { return FReadOnly; }
    bool IsShown() const;
    virtual void RepositionForName(const std::string &newName);
    void ParentFontChanged(TRSItemProp *source);
    void ParentValueFontChanged();
    void PickListChanged();
    void ChildNotify(TRSItemProp *item, TCollectionNotification action);
    void SetCategory(bool value);
    virtual void SetName(const std::string &value);
    void SetHint(const std::string &value);
    void SetReadOnly(bool value);
    void SetVisible(bool value);
    void SetEditStyle(TRSEditStyle value);
    void SetEditMask(const std::string &value);
    void SetPickList(TRSStringList &value);
    void SetEnabled(bool value);
    void SetExpressionMask(bool value);
    void SetExpanded(bool value);
    void SetItemObject(std::intptr_t value);
    void SetValue(const std::string &value);
    void ChildUpdate(TRSItemProp *item);
    virtual void AssignEvents(const TRSItemProp &source);
    void Collapse();
    void Expand();
    void CollapseAll();
    void ExpandAll();
    bool HasShownChildren() const;
    bool HasChildren() const;
    virtual bool IsDisplayed() const;
    bool IsBlank();
    virtual void Validate();

    void SetDefaultCategory(bool value);
    void SetParentFont(bool value);
    void SetParentValueFont(bool value);
    void SetFont(const TRSFont &value) { FFont.Assign(value); }
    void SetValueFont(const TRSFont &value) { FValueFont.Assign(value); }
    void SetValues(TRSStringList &value);
    void SetItems(TRSItemProps &value);
    virtual void Assign(TRSItemProp &source);
    // Whether the fonts are written out with the row.
    bool IsFontStored() const;
    bool IsValueFontStored() const { return !FParentValueFont; }

    // The ordinary collection-item change notice (whole collection when all).
    void Changed(bool allItems = false);

protected:
    // A change of the row's values alone: reported like any change, but the
    // grid does not count it as a change of the rows' make-up.
    void ValueChanged();
    // Tells the grid that the row's make-up changed.
    void NoteRowsChanged() const;

    // Creates the child collection when the row is made outside a grid.
    virtual TRSItemProps *CreateItems();

private:
    friend class TRSItemProps;
    friend class TRSCustomItemListEditor;

    // Construction steps that need the collection (run by the collection).
    void Construct(TRSItemProps *collection, int index);
    // Destruction steps that still need virtual dispatch.
    void PrepareDestroy();
    void FontChanged();
    void ValueFontChanged();
    void RepaintLine();

    TRSItemProps *FCollection = nullptr;
    std::string FName;
    std::string FHint;
    bool FReadOnly = false;
    bool FVisible = false;
    TRSEditStyle FEditStyle = esSimple;
    std::string FEditMask;
    std::unique_ptr<TRSStringList> FPickList;
    bool FExpressionMask = false;
    std::unique_ptr<TRSItemProps> FItems;
    int FDescendantCount = 0;
    bool FExpanded = false;
    int FDisplayedDescendantCount = -1;
    std::intptr_t FItemObject = 0;
    int FTag = 0;
    bool FParentFont = true;
    TRSFont FFont;
    bool FParentValueFont = true;
    TRSFont FValueFont;
    bool FEnabled = true;
    bool FCategory = false;
    bool FDefaultCategory = false;
    std::unique_ptr<TRSItemPropValueStrings> FValues;
    // Grid bookkeeping: the row is listed in the grid's displayed rows.
    bool FListed = false;
    bool FDestroying = false;
};
