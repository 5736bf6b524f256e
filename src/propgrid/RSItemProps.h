#pragma once

#include "propgrid/RSStringList.h"
#include "reflection/RSConsts.h"
#include "reflection/RSTypes.h"

#include <functional>
#include <string>
#include <variant>
#include <vector>

class TRSItemProp;
class TRSCustomItemListEditor;

// A key for FindItem: an index or a name.
using TRSItemKey = std::variant<int, std::string>;

// The owned collection of rows of a grid (top level) or of a row (children).
class TRSItemProps
{
public:
    // A free-standing collection, owned by neither a row nor a grid.
    TRSItemProps() = default;
    explicit TRSItemProps(TRSItemProp *ownerRow);
    explicit TRSItemProps(TRSCustomItemListEditor *ownerGrid);
    virtual ~TRSItemProps();
    TRSItemProps(const TRSItemProps &) = delete;
    TRSItemProps &operator=(const TRSItemProps &) = delete;

    TRSItemProp *OwnerRow() const { return FOwnerRow; }
    TRSCustomItemListEditor *Grid() const;
    int Count() const { return static_cast<int>(FItems.size()); }
    TRSItemProp *Item(int index) const { return FItems.at(index); }
    TRSItemProp *operator[](int index) const { return FItems.at(index); }
    int IndexOf(const TRSItemProp *item) const;

    TRSItemProp *Add();
    TRSItemProp *Insert(int index);
    void Delete(int index);
    void Clear();
    // Hands every row, whole and in order, to the end of target at once;
    // both collections then report a whole change.
    void MoveAllTo(TRSItemProps &target);
    void Exchange(int i, int j);
    // Moves the row at curIndex to newIndex and reports a whole change.
    void Move(int curIndex, int newIndex);

    virtual void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    int IndexOfName(const std::string &name) const;
    int IndexOfCategory(const std::string &name) const;
    TRSItemProp *AddCategory(const std::string &name, bool alwaysNew);
    TRSItemProp *GetDefaultCategory();
    TRSItemProp *AddPath(const std::string &path, const std::string &value, bool allowDuplicate);
    TRSItemProp *FindPath(const std::string &path) const;

    // Virtual operations.
    void HideGridEditor();
    // Names that compare equal have the same length (IndexOfName relies on it).
    virtual int CompareNames(const std::string &s1, const std::string &s2) const;
    virtual void DefaultCategoryChanged(TRSItemProp *row);
    virtual TRSItemProp *FindItem(const TRSItemKey &key, bool create);
    virtual void ItemVisibilityChanged(TRSItemProp *row);
    virtual void RemoveCategories(bool deleteChildren);
    virtual void RemoveCategory(int index, bool deleteChildren);
    virtual bool FindInsertPos(const std::string &name, int &index) const;
    virtual void Sort(bool topLevelOnly);
    virtual void CustomSort(const std::function<int(TRSItemProp *, TRSItemProp *)> &compare,
                            bool topLevelOnly);
    virtual void Assign(TRSItemProps &source);
    virtual void Notify(TRSItemProp *item, TCollectionNotification action);
    virtual void Update(TRSItemProp *item);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    TRSItemProp *DefaultCategoryItem() const { return FDefaultCategoryItem; }
    void SetDefaultCategoryItem(TRSItemProp *row);
    TRSStringList &Categories() { return FCategories; }
    const std::string &DefaultCategoryName() const { return FDefaultCategoryName; }
    void SetDefaultCategoryName(const std::string &value);

    // Reports a whole-collection change unless an update bracket is open.
    void Changed();
    // Tells the grid that the rows' make-up changed.
    void NoteRowsChanged() const;

protected:
    // Makes a row of this collection's row class, not yet joined.
    virtual TRSItemProp *CreateItem();

private:
    friend class TRSItemProp;
    void InsertItem(TRSItemProp *item, int index);
    void RemoveItem(TRSItemProp *item);
    void QuickSort(int lo, int hi, const std::function<int(TRSItemProp *, TRSItemProp *)> &compare);
    TRSItemProp *AddPathStep(const std::string &path, const std::string &value,
                             bool allowDuplicate);

    TRSItemProp *FOwnerRow = nullptr;
    TRSCustomItemListEditor *FOwnerGrid = nullptr;
    std::vector<TRSItemProp *> FItems;
    int FUpdateCount = 0;
    bool FSorted = false;
    TRSItemProp *FDefaultCategoryItem = nullptr;
    TRSStringList FCategories;
    std::string FDefaultCategoryName = RSConsts::SMiscellaneous;
};
