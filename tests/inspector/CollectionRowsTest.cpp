#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "reflection/Collection.h"
#include "reflection/CollectionItem.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

// The description tables below name only the fields they need.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace
{

class TColumn : public TCollectionItem
{
public:
    using TCollectionItem::TCollectionItem;
    std::string Title;
    int64_t Width = 64;
    std::string DisplayName() const override { return Title; }
};

// A component with a collection of columns.
struct Sheet : TPersistent {
    bool IsComponent() const override { return true; }
    std::string ComponentName() const override { return "Sheet1"; }
    TCollection Columns{this, typeid(TColumn), [](TCollection *c) { return new TColumn(c); }};
    void Add(const std::string &title) { static_cast<TColumn *>(Columns.Add())->Title = title; }
    TColumn &Column(int i) { return *static_cast<TColumn *>(Columns.Items(i)); }
};

TTypeInfo StringType{tkLString, "String"};
TTypeInfo IntegerType{tkInteger, "Integer", INT32_MIN, INT32_MAX};
TTypeInfo CollectionType{tkClass, "TCollection"};
TClassInfo ColumnClass{
    "TColumn",
    nullptr,
    {{"Title", &StringType,
      [](TPersistent *o) { return TVariant(static_cast<TColumn *>(o)->Title); },
      [](TPersistent *o, const TVariant &v) { static_cast<TColumn *>(o)->Title = v.AsString(); }},
     {"Width", &IntegerType,
      [](TPersistent *o) { return TVariant(static_cast<TColumn *>(o)->Width); },
      [](TPersistent *o, const TVariant &v) { static_cast<TColumn *>(o)->Width = v.AsInt64(); }}}};
TClassInfo SheetClass{"TSheet",
                      nullptr,
                      {{"Columns", &CollectionType,
                        [](TPersistent *o) {
                            return TVariant(
                                static_cast<TPersistent *>(&static_cast<Sheet *>(o)->Columns));
                        },
                        [](TPersistent *, const TVariant &) {}}}};

class CollectionRowsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        TypInfo::RegisterClass(typeid(TColumn), &ColumnClass);
        TypInfo::RegisterClass(typeid(Sheet), &SheetClass);
    }
    void SetUp() override
    {
        I().SetInplaceCollections(true);
        a.Add("Name");
        a.Add("Price");
    }
    TRSCustomObjectInspector &I() { return *view.Inspector(); }
    TRSItemProperty *Row(const std::string &path)
    {
        return static_cast<TRSItemProperty *>(I().Items()->FindPath(path));
    }
    int Children(const std::string &path) { return Row(path) ? Row(path)->Items()->Count() : -1; }
    void Inspect(std::initializer_list<Sheet *> objects)
    {
        for (Sheet *s : objects)
            I().Objects().AddObject(s);
        view.Rebuild();
    }
    void Flush() { QCoreApplication::sendPostedEvents(); }

    Sheet a, b;
    TRSObjectInspector view;
};

TEST_F(CollectionRowsTest, ItemsAreRowsWithTheirOwnPropertiesNested)
{
    I().SetInplaceCollections(false);
    Inspect({&a});
    ASSERT_NE(Row("Columns"), nullptr);
    EXPECT_EQ(Row("Columns")->ItemKind(), ikCollection);
    EXPECT_EQ(Children("Columns"), 0);

    I().SetInplaceCollections(true);
    Flush();
    ASSERT_EQ(Children("Columns"), 2);
    TRSItemProperty *second = Row("Columns.Items[1]");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->ItemKind(), ikCollectionItem);
    EXPECT_EQ(second->TypeName(), "TColumn");
    EXPECT_EQ(second->Value(), "Price");
    EXPECT_TRUE(second->GetReadOnly());
    EXPECT_EQ(second->GetObjectValue(0), &a.Column(1));
    EXPECT_EQ(second->GetPropClass(), &ColumnClass);
    EXPECT_EQ(Row("Columns.Items[0].Title")->Value(), "Name");

    TRSItemProperty *width = Row("Columns.Items[1].Width");
    width->SetValue("120");
    width->Apply();
    EXPECT_EQ(a.Column(1).Width, 120);
    EXPECT_EQ(a.Column(0).Width, 64);

    // A renamed item shows its new name once the rows are refreshed.
    Row("Columns.Items[1].Title")->SetValue("Cost");
    Row("Columns.Items[1].Title")->Apply();
    Flush();
    EXPECT_EQ(Row("Columns.Items[1]")->Value(), "Cost");

    I().SetCollectionItemFormat("Column %d");
    Flush();
    EXPECT_NE(Row("Columns.Column 0.Title"), nullptr);
}

TEST_F(CollectionRowsTest, ItemsOfSeveralObjectsAndItemsThatGoAway)
{
    b.Add("Id");
    Inspect({&a, &b});
    EXPECT_EQ(Children("Columns"), 0) << "differing item counts";

    b.Add("Total");
    I().RequestRebuild();
    Flush();
    ASSERT_EQ(Children("Columns"), 2);
    EXPECT_EQ(Row("Columns.Items[0]")->Value(), "Name") << "the first object's item names it";
    TRSItemProperty *title = Row("Columns.Items[0].Title");
    EXPECT_FALSE(title->IsAllEqual());
    title->SetValue("Key");
    title->Apply();
    EXPECT_EQ(a.Column(0).Title, "Key");
    EXPECT_EQ(b.Column(0).Title, "Key");
    Flush();

    // An item that is gone makes its row stale: the rows are rebuilt.
    delete &a.Column(1);
    delete &b.Column(1);
    I().RefreshAll();
    Flush();
    EXPECT_EQ(Children("Columns"), 1);
    EXPECT_EQ(Row("Columns.Items[1]"), nullptr);
    EXPECT_EQ(Row("Columns.Items[0].Title")->Value(), "Key");
}

} // namespace
