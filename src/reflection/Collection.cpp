#include "reflection/Collection.h"

#include "platform/Exception.h"
#include "reflection/CollectionItem.h"
#include "reflection/TypInfo.h"

#include <algorithm>
#include <string>

TCollection::TCollection(TPersistent *owner, std::type_index itemClass, TItemFactory factory)
    : FOwner(owner), FItemClass(itemClass), FFactory(std::move(factory))
{
}

TCollection::~TCollection()
{
    OnUpdate = nullptr;
    OnNotify = nullptr;
    FUpdateCount = 1;
    Clear();
}

const TClassInfo *TCollection::ItemClass() const
{
    return TypInfo::ClassInfoOfType(FItemClass);
}

void TCollection::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
}

TCollectionItem *TCollection::Items(int index) const
{
    CheckIndex(index);
    return FItems[static_cast<size_t>(index)];
}

TCollectionItem *TCollection::FindItemID(int id) const
{
    for (TCollectionItem *item : FItems)
        if (item->FID == id)
            return item;
    return nullptr;
}

int TCollection::IndexOf(const TCollectionItem *item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TCollectionItem *TCollection::Add()
{
    return FFactory(this);
}

TCollectionItem *TCollection::Insert(int index)
{
    BeginUpdate();
    try {
        TCollectionItem *item = Add();
        item->SetIndex(index);
        EndUpdate();
        return item;
    } catch (...) {
        EndUpdate();
        throw;
    }
}

TCollectionItem *TCollection::AddItemOfClass(const TClassInfo *itemClass)
{
    const TClassInfo *own = ItemClass();
    if (!itemClass || !itemClass->Construct || (own && !itemClass->InheritsFrom(own)))
        throw Exception("Invalid class typecast");
    TPersistent *made = itemClass->Construct(this);
    auto *item = dynamic_cast<TCollectionItem *>(made);
    if (!item) {
        delete made;
        throw Exception("Invalid class typecast");
    }
    return item;
}

void TCollection::Delete(int index)
{
    CheckIndex(index);
    // Taken out while still whole, so that the notifications see the item's
    // own class; its destructor then finds it outside any collection.
    TCollectionItem *item = FItems[static_cast<size_t>(index)];
    RemoveItem(item);
    delete item;
}

void TCollection::Clear()
{
    if (FItems.empty())
        return;
    BeginUpdate();
    FClearing = true;
    while (!FItems.empty())
        Delete(Count() - 1);
    FClearing = false;
    EndUpdate();
}

void TCollection::BeginUpdate()
{
    ++FUpdateCount;
}

void TCollection::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed();
}

void TCollection::Changed()
{
    if (FUpdateCount == 0)
        Update(nullptr);
}

void TCollection::Update(TCollectionItem *item)
{
    if (OnUpdate)
        OnUpdate(this, item);
}

void TCollection::Notify(TCollectionItem *item, TCollectionNotification action)
{
    if (OnNotify)
        OnNotify(this, item, action);
}

void TCollection::InsertItem(TCollectionItem *item)
{
    FItems.push_back(item);
    item->FCollection = this;
    item->FID = FNextID++;
    Notify(item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem *item)
{
    Notify(item, cnExtracting);
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it != FItems.end())
        FItems.erase(it);
    item->FCollection = nullptr;
    Changed();
}

void TCollection::MoveItem(int from, int to)
{
    TCollectionItem *item = FItems[static_cast<size_t>(from)];
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + to, item);
    Changed();
}

void TCollection::ItemChanged(TCollectionItem *item)
{
    if (FUpdateCount == 0)
        Update(item);
}
