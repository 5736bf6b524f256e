#pragma once

#include "reflection/Persistent.h"

#include <memory>
#include <vector>

class TListItem;
class TListView;

// The owned, ordered items of a list view. The view shows changes when it is
// asked to update its items.
class TListItems : public TPersistent
{
public:
    explicit TListItems(TListView *owner);
    ~TListItems() override;

    TListView *Owner() const { return FOwner; }
    int Count() const { return static_cast<int>(FItems.size()); }
    // An index outside the list raises "List index out of bounds (%d)".
    TListItem *Item(int index) const;
    int IndexOf(const TListItem *item) const;
    TListItem *Add();
    void Delete(int index);
    void Clear();
    // Replaces the items by copies of the source's.
    void Assign(const TListItems &source);

private:
    TListView *FOwner;
    std::vector<std::unique_ptr<TListItem>> FItems;
};
