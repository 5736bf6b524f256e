#pragma once

#include "reflection/Persistent.h"

#include <string>

class TCollection;

// One item of a collection. Constructing it with a collection appends it
// there (the collection then owns it); destroying it takes it out again.
class TCollectionItem : public TPersistent
{
public:
    explicit TCollectionItem(TCollection *collection);
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem &) = delete;
    TCollectionItem &operator=(const TCollectionItem &) = delete;

    TCollection *Collection() const { return FCollection; }
    // Moves the item into another collection (none: no collection).
    void SetCollection(TCollection *collection);
    int ID() const { return FID; }
    int Index() const;
    // Moves the item to another place; an index outside the list is clamped.
    void SetIndex(int value);

    // The name the item is listed under: its class name unless a
    // descendant has a better one.
    virtual std::string DisplayName() const;
    virtual void SetDisplayName(const std::string &value);

protected:
    // Tells the collection that this item (or, with allItems, every item)
    // changed.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection *FCollection = nullptr;
    int FID = 0;
};
