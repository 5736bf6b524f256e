#include "reflection/CollectionItem.h"

#include "reflection/Collection.h"
#include "reflection/TypInfo.h"

#include <algorithm>

TCollectionItem::TCollectionItem(TCollection *collection)
{
    SetCollection(collection);
}

TCollectionItem::~TCollectionItem()
{
    SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection *collection)
{
    if (collection == FCollection)
        return;
    if (FCollection)
        FCollection->RemoveItem(this);
    if (collection)
        collection->InsertItem(this);
}

int TCollectionItem::Index() const
{
    return FCollection ? FCollection->IndexOf(this) : -1;
}

void TCollectionItem::SetIndex(int value)
{
    const int current = Index();
    if (current < 0)
        return;
    value = std::clamp(value, 0, FCollection->Count() - 1);
    if (value != current)
        FCollection->MoveItem(current, value);
}

std::string TCollectionItem::DisplayName() const
{
    const TClassInfo *info = TypInfo::ClassInfoOf(this);
    return info ? info->Name : std::string();
}

void TCollectionItem::SetDisplayName(const std::string &)
{
    Changed(false);
}

void TCollectionItem::Changed(bool allItems)
{
    if (!FCollection)
        return;
    if (allItems)
        FCollection->Changed();
    else
        FCollection->ItemChanged(this);
}
