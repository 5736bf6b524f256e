#include "reflection/Collection.h"
#include "platform/Exception.h"
#include "reflection/CollectionItem.h"
#include "reflection/TypInfo.h"

#include <gtest/gtest.h>

namespace
{

class TNamedItem : public TCollectionItem
{
public:
    using TCollectionItem::TCollectionItem;
    std::string Name;
    std::string DisplayName() const override { return Name; }
    void Rename(const std::string &name)
    {
        Name = name;
        Changed(false);
    }
};

std::vector<std::string> Names(const TCollection &c)
{
    std::vector<std::string> names;
    for (int i = 0; i < c.Count(); ++i)
        names.push_back(c.Items(i)->DisplayName());
    return names;
}

} // namespace

TEST(Collection, ItemsJoinMoveAndLeave)
{
    TCollection c(nullptr, typeid(TNamedItem), [](TCollection *o) { return new TNamedItem(o); });
    for (const char *n : {"a", "b", "c", "d"})
        static_cast<TNamedItem *>(c.Add())->Name = n;
    EXPECT_EQ(Names(c), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(c.FindItemID(2), c.Items(2));

    c.Items(3)->SetIndex(0);
    EXPECT_EQ(Names(c), (std::vector<std::string>{"d", "a", "b", "c"}));
    c.Items(0)->SetIndex(99);
    EXPECT_EQ(Names(c), (std::vector<std::string>{"a", "b", "c", "d"}));

    c.Delete(1);
    delete c.Items(0);
    EXPECT_EQ(Names(c), (std::vector<std::string>{"c", "d"}));
    EXPECT_THROW(c.Items(2), Exception);

    auto *inserted = static_cast<TNamedItem *>(c.Insert(0));
    inserted->Name = "x";
    EXPECT_EQ(Names(c), (std::vector<std::string>{"x", "c", "d"}));
    EXPECT_EQ(inserted->Index(), 0);
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
}

TEST(Collection, UpdatesAreHeldBackUntilTheOutermostUpdateEnds)
{
    TCollection c(nullptr, typeid(TNamedItem), [](TCollection *o) { return new TNamedItem(o); });
    std::vector<const TCollectionItem *> updates;
    std::vector<TCollectionNotification> notes;
    c.OnUpdate = [&](TCollection *, TCollectionItem *item) { updates.push_back(item); };
    c.OnNotify = [&](TCollection *, TCollectionItem *, TCollectionNotification n) {
        notes.push_back(n);
    };

    auto *item = static_cast<TNamedItem *>(c.Add());
    item->Rename("a");
    EXPECT_EQ(updates, (std::vector<const TCollectionItem *>{nullptr, item}));

    updates.clear();
    c.BeginUpdate();
    c.BeginUpdate();
    c.Add();
    item->Rename("b");
    c.EndUpdate();
    EXPECT_TRUE(updates.empty());
    c.EndUpdate();
    EXPECT_EQ(updates, (std::vector<const TCollectionItem *>{nullptr}));

    c.Delete(0);
    EXPECT_EQ(notes, (std::vector<TCollectionNotification>{cnAdded, cnAdded, cnExtracting}));
}

TEST(Collection, ItemsOfAClassAreMadeOnlyWhenTheyDescendFromTheItemClass)
{
    static TClassInfo base{"TNamedItem", TypInfo::FindRegisteredClass("TCollectionItem"), {}, {}};
    static TClassInfo derived{"TNamedItemEx", &base, {}, [](TPersistent *o) -> TPersistent * {
                                  return new TNamedItem(static_cast<TCollection *>(o));
                              }};
    static TClassInfo unrelated{
        "TOtherItem", TypInfo::FindRegisteredClass("TCollectionItem"), {}, {}};
    TypInfo::RegisterClass(typeid(TNamedItem), &base);

    TCollection c(nullptr, typeid(TNamedItem), [](TCollection *o) { return new TNamedItem(o); });
    EXPECT_EQ(c.ItemClass(), &base);
    ASSERT_NE(c.AddItemOfClass(&derived), nullptr);
    EXPECT_EQ(c.Count(), 1);
    EXPECT_THROW(c.AddItemOfClass(&unrelated), Exception);
    EXPECT_THROW(c.AddItemOfClass(nullptr), Exception);
    EXPECT_EQ(c.Count(), 1);
}
