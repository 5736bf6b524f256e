#pragma once

#include "reflection/Persistent.h"
#include "reflection/RSTypes.h"

#include <functional>
#include <typeindex>
#include <vector>

class TCollectionItem;
struct TClassInfo;

// An ordered, owned list of items of one item class (or of its
// descendants). Items join and leave by their own construction and
// destruction; every change is reported through Notify and Update, the
// latter held back while an update is open.
class TCollection : public TPersistent
{
public:
    // Creates an item of the collection's own class inside the collection.
    using TItemFactory = std::function<TCollectionItem *(TCollection *)>;

    TCollection(TPersistent *owner, std::type_index itemClass, TItemFactory factory);
    ~TCollection() override;
    TCollection(const TCollection &) = delete;
    TCollection &operator=(const TCollection &) = delete;

    // The object the collection belongs to (a component or another object).
    TPersistent *Owner() const { return FOwner; }
    const TClassInfo *ItemClass() const;

    int Count() const { return static_cast<int>(FItems.size()); }
    // An index outside the list raises "List index out of bounds (%d)".
    TCollectionItem *Items(int index) const;
    TCollectionItem *FindItemID(int id) const;
    int IndexOf(const TCollectionItem *item) const;

    TCollectionItem *Add();
    TCollectionItem *Insert(int index);
    // Creates an item of a registered class descending from the item class;
    // any other class raises "Invalid class typecast".
    TCollectionItem *AddItemOfClass(const TClassInfo *itemClass);
    void Delete(int index);
    void Clear();

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Keeps an update open for its own lifetime, however the work ends.
    class TUpdateScope
    {
    public:
        explicit TUpdateScope(TCollection *collection) : FCollection(collection)
        {
            FCollection->BeginUpdate();
        }
        ~TUpdateScope() { FCollection->EndUpdate(); }
        TUpdateScope(const TUpdateScope &) = delete;
        TUpdateScope &operator=(const TUpdateScope &) = delete;

    private:
        TCollection *FCollection;
    };

    // Told after every change once no update is open; none: several items.
    std::function<void(TCollection *, TCollectionItem *)> OnUpdate;
    std::function<void(TCollection *, TCollectionItem *, TCollectionNotification)> OnNotify;

protected:
    virtual void Update(TCollectionItem *item);
    virtual void Notify(TCollectionItem *item, TCollectionNotification action);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem *item);
    void RemoveItem(TCollectionItem *item);
    void MoveItem(int from, int to);
    void ItemChanged(TCollectionItem *item);
    void CheckIndex(int index) const;

    TPersistent *FOwner;
    std::type_index FItemClass;
    TItemFactory FFactory;
    std::vector<TCollectionItem *> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
    bool FClearing = false;
};
