#include "editors/itemviews/ListItems.h"

#include "editors/itemviews/ListItem.h"
#include "platform/Exception.h"

#include <string>

TListItems::TListItems(TListView *owner) : FOwner(owner) {}

TListItems::~TListItems() = default;

TListItem *TListItems::Item(int index) const
{
    if (index < 0 || index >= Count())
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    return FItems[static_cast<size_t>(index)].get();
}

int TListItems::IndexOf(const TListItem *item) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == item)
            return static_cast<int>(i);
    return -1;
}

TListItem *TListItems::Add()
{
    FItems.push_back(std::make_unique<TListItem>(this));
    return FItems.back().get();
}

void TListItems::Delete(int index)
{
    Item(index);
    FItems.erase(FItems.begin() + index);
}

void TListItems::Clear()
{
    FItems.clear();
}

void TListItems::Assign(const TListItems &source)
{
    if (&source == this)
        return;
    Clear();
    for (const auto &item : source.FItems)
        Add()->Assign(*item);
}
