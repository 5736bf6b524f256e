#include "propgrid/RSItemListEditor.h"
#include "propgrid/RSItemProp.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "propgrid/RSItemProps.h"
#include "propgrid/RSItemStrings.h"
#include "reflection/RSConsts.h"

#include <gtest/gtest.h>

namespace
{

std::vector<std::string> Names(const TRSItemProps *items)
{
    std::vector<std::string> out;
    for (int i = 0; i < items->Count(); ++i)
        out.push_back(items->Item(i)->Name());
    return out;
}

TRSItemProp *AddNamed(TRSItemProps *items, const std::string &name, const std::string &value = "")
{
    TRSItemProp *row = items->Add();
    row->SetName(name);
    if (!value.empty())
        row->SetValue(value);
    return row;
}

} // namespace

TEST(RowsModel, AddPathCreatesAndReusesPathRows)
{
    TRSItemListEditor grid;
    TRSItemProps *items = grid.Items();
    TRSItemProp *name = items->AddPath("Font.Name", "Arial", false);
    ASSERT_EQ(items->Count(), 1);
    TRSItemProp *font = items->Item(0);
    EXPECT_EQ(font->Name(), "Font");
    EXPECT_EQ(name->ParentItem(), font);
    EXPECT_EQ(name->Value(), "Arial");
    items->AddPath("Font.Size", "8", false);
    EXPECT_EQ(items->Count(), 1);
    EXPECT_EQ(Names(font->Items()), (std::vector<std::string>{"Name", "Size"}));
    EXPECT_EQ(items->FindPath("font.size"), font->Items()->Item(1));
    EXPECT_EQ(items->FindPath("Font.Colour"), nullptr);
    EXPECT_EQ(font->DescendantCount(), 2);
    EXPECT_EQ(name->GetFullName(), "Font.Name");
    grid.SetPathDelimiter("/");
    EXPECT_EQ(name->GetFullName(), "Font/Name");
}

TEST(RowsModel, AddPathDuplicatesOnlyTheLastPart)
{
    TRSItemListEditor grid;
    TRSItemProps *items = grid.Items();
    items->AddPath("A", "1", true);
    items->AddPath("A", "2", true);
    EXPECT_EQ(Names(items), (std::vector<std::string>{"A", "A"}));
    items->Clear();
    items->AddPath("A.B", "1", true);
    items->AddPath("A.B", "2", true);
    ASSERT_EQ(items->Count(), 1);
    EXPECT_EQ(Names(items->Item(0)->Items()), (std::vector<std::string>{"B", "B"}));
}

TEST(RowsModel, ValueFollowsTheCurrentValueColumn)
{
    TRSItemListEditor grid;
    grid.SetDisplayOptions(grid.DisplayOptions() | doMultiColValues);
    grid.SetFieldCount(4);
    TRSItemProp *a = AddNamed(grid.Items(), "a");
    TRSItemProp *b = AddNamed(grid.Items(), "b");
    a->Values()->SetText("x\r\ny\r\nz");
    b->Values()->SetText("p\r\nq\r\nr");
    grid.SetCurrentItem(1);
    grid.SetCurrentField(2);
    ASSERT_EQ(grid.CurrentRow(), a);
    EXPECT_EQ(a->Value(), "y");
    EXPECT_EQ(b->Value(), "p\r\nq\r\nr");
    a->SetValue("Y");
    EXPECT_EQ(a->Values()->Text(), "x\r\nY\r\nz\r\n");
}

TEST(RowsModel, ReadingValuesPadsAndTrimsQuietly)
{
    TRSItemListEditor grid;
    TRSItemProp *row = AddNamed(grid.Items(), "a");
    row->Values()->SetText("1\r\n2\r\n3");
    int changes = 0;
    auto previous = row->Values()->OnChange;
    row->Values()->OnChange = [&] {
        ++changes;
        previous();
    };
    EXPECT_EQ(row->Values()->Text(), "1\r\n");
    EXPECT_EQ(row->Values()->Count(), 1);
    EXPECT_EQ(changes, 0);
    row->Values()->Put(0, "1");
    EXPECT_EQ(changes, 0);
    row->Values()->Put(0, "9");
    EXPECT_EQ(changes, 1);
    // Without a grid the list keeps what it holds.
    TRSItemProps loose;
    TRSItemProp *free = loose.Add();
    free->Values()->SetText("1\r\n2");
    EXPECT_EQ(free->Value(), "1\r\n2");
}

TEST(RowsModel, ReadOnlyEnabledAndVisibility)
{
    TRSItemListEditor grid;
    TRSItemProp *row = AddNamed(grid.Items(), "a");
    row->SetEnabled(false);
    EXPECT_TRUE(row->GetReadOnly());
    row->SetReadOnly(true); // already read-only through Enabled: nothing stored
    row->SetEnabled(true);
    EXPECT_FALSE(row->GetReadOnly());

    TRSItemProp *category = grid.Items()->AddCategory("Cat", false);
    EXPECT_TRUE(category->Category());
    EXPECT_TRUE(category->GetReadOnly());
    EXPECT_EQ(grid.Items()->AddCategory("cat", false), category);
    row->SetReadOnly(true);
    grid.SetDisplayOptions(grid.DisplayOptions() & ~doShowReadOnly);
    EXPECT_FALSE(row->IsShown());
    EXPECT_TRUE(category->IsShown());
    EXPECT_EQ(grid.DisplayedRows(), (std::vector<TRSItemProp *>{category}));
}

TEST(RowsModel, ExpandedNeedsChildren)
{
    TRSItemListEditor grid;
    TRSItemProp *row = AddNamed(grid.Items(), "a");
    row->SetExpanded(true);
    EXPECT_FALSE(row->Expanded());
    TRSItemProp *child = AddNamed(row->Items(), "b");
    EXPECT_TRUE(row->Expanded());
    EXPECT_EQ(grid.DisplayedRows(), (std::vector<TRSItemProp *>{row, child}));
    EXPECT_EQ(row->DisplayedDescendantCount(), 1);
    row->Collapse();
    EXPECT_EQ(row->DisplayedDescendantCount(), 0);
    EXPECT_EQ(child->Level(), 1);
}

TEST(RowsModel, OneDefaultCategoryPerCollection)
{
    TRSItemListEditor grid;
    TRSItemProp *a = AddNamed(grid.Items(), "a");
    TRSItemProp *b = AddNamed(grid.Items(), "b");
    a->SetDefaultCategory(true);
    EXPECT_TRUE(a->Category());
    EXPECT_EQ(grid.Items()->DefaultCategoryItem(), a);
    b->SetDefaultCategory(true);
    EXPECT_FALSE(a->DefaultCategory());
    EXPECT_EQ(grid.Items()->DefaultCategoryItem(), b);
    b->SetCategory(false);
    EXPECT_FALSE(b->DefaultCategory());
    EXPECT_EQ(grid.Items()->DefaultCategoryItem(), nullptr);

    TRSItemProp *misc = grid.Items()->GetDefaultCategory();
    EXPECT_EQ(misc->Name(), "Miscellaneous");
    EXPECT_EQ(grid.Items()->GetDefaultCategory(), misc);
    grid.Items()->Delete(misc->Index());
    EXPECT_EQ(grid.Items()->DefaultCategoryItem(), nullptr);
    grid.Items()->SetDefaultCategoryName("");
    EXPECT_EQ(grid.Items()->GetDefaultCategory(), nullptr);
}

TEST(RowsModel, SortedCollectionKeepsOrderByName)
{
    TRSItemListEditor grid;
    grid.SetSorted(true);
    for (const char *name : {"b", "a", "c"})
        AddNamed(grid.Items(), name);
    EXPECT_EQ(Names(grid.Items()), (std::vector<std::string>{"a", "b", "c"}));
    grid.Items()->Sort(false);
    EXPECT_EQ(Names(grid.Items()), (std::vector<std::string>{"a", "b", "c"}));
    grid.Items()->Item(0)->SetName("d");
    EXPECT_EQ(Names(grid.Items()), (std::vector<std::string>{"b", "c", "d"}));
    // The displayed rows follow the order.
    EXPECT_EQ(grid.DisplayedRows()[2]->Name(), "d");

    TRSItemListEditor unsorted;
    for (const char *name : {"q", "B", "a", "z", "m"})
        AddNamed(unsorted.Items(), name);
    TRSItemProp *q = unsorted.Items()->Item(0);
    AddNamed(q->Items(), "y");
    AddNamed(q->Items(), "x");
    unsorted.SetSorted(true);
    EXPECT_EQ(Names(unsorted.Items()), (std::vector<std::string>{"a", "B", "m", "q", "z"}));
    EXPECT_EQ(Names(q->Items()), (std::vector<std::string>{"x", "y"}));
    EXPECT_TRUE(q->Items()->Sorted());
}

TEST(RowsModel, UniqueNamesAreEnforced)
{
    TRSItemListEditor grid;
    grid.SetPropertyOptions(propUnique);
    AddNamed(grid.Items(), "a");
    TRSItemProp *b = AddNamed(grid.Items(), "b");
    try {
        b->SetName("A");
        FAIL() << "no error";
    } catch (const ERSException &e) {
        EXPECT_STREQ(e.what(), "Property name is not unique: A");
    }
    EXPECT_EQ(b->Name(), "b");
    b->SetName("B"); // its own name in other letter case
    EXPECT_EQ(b->Name(), "B");
}

TEST(RowsModel, AFailedCategoryLeavesNoRowBehind)
{
    TRSItemListEditor grid;
    grid.SetPropertyOptions(propUnique);
    AddNamed(grid.Items(), "Layout");
    EXPECT_THROW(grid.Items()->AddCategory("Layout", true), ERSException);
    EXPECT_EQ(Names(grid.Items()), std::vector<std::string>{"Layout"});
    EXPECT_EQ(grid.DisplayedRows().size(), 1u);
}

TEST(RowsModel, AssignCopiesEverythingButEvents)
{
    TRSItemListEditor grid;
    TRSItemProp *source = AddNamed(grid.Items(), "src", "v1");
    source->SetHint("hint");
    source->SetEditStyle(esEllipsis);
    source->SetEditMask("!99;1;_");
    source->SetExpressionMask(true);
    source->SetTag(7);
    source->SetItemObject(42);
    source->GetPickList()->Add("x");
    TRSFont big;
    big.SetSize(20);
    source->SetFont(big);
    AddNamed(source->Items(), "child", "cv");
    source->Expand();
    int clicks = 0;
    source->OnEditButtonClick = [&](TRSObject *) { ++clicks; };

    TRSItemProp *copy = grid.Items()->Add();
    copy->Assign(*source);
    EXPECT_EQ(copy->Name(), "src");
    EXPECT_EQ(copy->Value(), "v1");
    EXPECT_EQ(copy->Hint(), "hint");
    EXPECT_EQ(copy->EditStyle(), esEllipsis);
    EXPECT_EQ(copy->EditMask(), "!99;1;_");
    EXPECT_TRUE(copy->ExpressionMask());
    EXPECT_EQ(copy->Tag(), 7);
    EXPECT_EQ(copy->ItemObject(), 42);
    EXPECT_EQ(copy->GetPickList()->Text(), "x\r\n");
    EXPECT_EQ(copy->GetFont().Size(), 20);
    EXPECT_FALSE(copy->ParentFont());
    EXPECT_TRUE(copy->Expanded());
    ASSERT_EQ(copy->Items()->Count(), 1);
    EXPECT_EQ(copy->Items()->Item(0)->Value(), "cv");
    EXPECT_FALSE(copy->OnEditButtonClick);
    copy->AssignEvents(*source);
    copy->OnEditButtonClick(copy);
    EXPECT_EQ(clicks, 1);
}

TEST(RowsModel, FontsFollowTheirParents)
{
    TRSItemListEditor grid;
    TRSItemProp *row = AddNamed(grid.Items(), "a");
    TRSItemProp *child = AddNamed(row->Items(), "b");
    grid.Font().SetName("Serif");
    EXPECT_EQ(row->GetFont().Name(), "Serif");
    EXPECT_EQ(grid.ValueFont().Name(), "Serif");
    EXPECT_EQ(row->GetValueFont().Name(), "Serif");
    row->Font().SetSize(14);
    EXPECT_FALSE(row->ParentFont());
    EXPECT_EQ(child->GetFont().Size(), 14);
    EXPECT_TRUE(child->ParentFont());
    row->SetParentFont(true);
    EXPECT_EQ(row->GetFont().Size(), grid.Font().Size());

    // A delta font keeps what was set on it apart from the grid font.
    grid.ValueFont().SetSize(12);
    EXPECT_EQ(grid.ValueFont().Delta(), TRSCustomDeltaFont::dfSize);
    grid.Font().SetName("Mono");
    EXPECT_EQ(grid.ValueFont().Name(), "Mono");
    EXPECT_EQ(grid.ValueFont().Size(), 12);
    EXPECT_TRUE(grid.CategoryFont().Bold());
    EXPECT_EQ(grid.CategoryFont().Color(), 0x800080u);
    TRSItemProp *category = grid.Items()->AddCategory("Cat", false);
    EXPECT_TRUE(category->GetFont().Bold());
    EXPECT_EQ(category->GetFont().Name(), "Mono");
}

TEST(RowsModel, ErrorsLeaveTheModelAlone)
{
    TRSItemListEditor grid;
    TRSItemProps *items = grid.Items();
    EXPECT_EQ(items->FindItem(std::string("x"), true), nullptr); // empty collection
    TRSItemProp *a = AddNamed(items, "a");
    EXPECT_EQ(items->FindItem(std::string("A"), false), a);
    EXPECT_EQ(items->FindItem(0, false), a);
    EXPECT_EQ(items->FindItem(5, false), nullptr);
    EXPECT_THROW(
        {
            try {
                items->FindItem(std::string("zz"), true);
            } catch (const ERSException &e) {
                EXPECT_STREQ(e.what(), "Property not found: zz");
                throw;
            }
        },
        ERSException);
    EXPECT_THROW(items->RemoveCategory(0, false), ERSException);
    EXPECT_EQ(items->Count(), 1);

    TRSItemProp *category = items->AddCategory("C", false);
    AddNamed(category->Items(), "x");
    items->RemoveCategory(category->Index(), false);
    EXPECT_EQ(Names(items), (std::vector<std::string>{"a", "x"}));
    EXPECT_EQ(grid.AllRows().size(), 2u);
}

TEST(RowsModel, StringsViewReadsAndWritesRows)
{
    TRSItemListEditor grid;
    TRSItemStrings &strings = grid.Strings();
    strings.Add("Font.Name=Arial");
    strings.Add("Caption=Hello=World");
    strings.Add("Bare");
    EXPECT_EQ(strings.Count(), 4); // Font, Font.Name, Caption, Bare
    EXPECT_EQ(strings.Get(1), "Font.Name=Arial");
    EXPECT_EQ(strings.Get(2), "Caption=Hello=World");
    EXPECT_EQ(strings.IndexOfName("Caption"), 2);
    strings.SetShowVisibleOnly(true);
    EXPECT_EQ(strings.Count(), 3); // Font is collapsed
    EXPECT_EQ(strings.IndexOfName("Font.Name"), -1);
    strings.SetShowVisibleOnly(false);
    try {
        strings.Insert(9, "x=y");
        FAIL() << "no error";
    } catch (const ERSException &e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (9)");
    }
    strings.Delete(0);
    EXPECT_EQ(strings.Count(), 2);
    strings.SetText("a=1\r\nb=2\r\n");
    EXPECT_EQ(strings.Text(), "a=1\r\nb=2\r\n");
}

TEST(RowsModel, DescendantCountsFollowMovedSubtrees)
{
    TRSItemListEditor grid;
    TRSItemProp *a = AddNamed(grid.Items(), "a");
    TRSItemProp *b = AddNamed(grid.Items(), "b");
    TRSItemProp *c = AddNamed(a->Items(), "c");
    AddNamed(c->Items(), "d");
    EXPECT_EQ(a->DescendantCount(), 2);
    c->SetCollection(b->Items());
    EXPECT_EQ(a->DescendantCount(), 0);
    EXPECT_EQ(b->DescendantCount(), 2);
    std::vector<std::string> all;
    for (TRSItemProp *row : grid.AllRows())
        all.push_back(row->Name());
    EXPECT_EQ(all, (std::vector<std::string>{"a", "b", "c", "d"}));
    // A row cannot move under itself.
    b->SetCollection(c->Items());
    EXPECT_EQ(c->ParentItem(), b);
    EXPECT_EQ(b->Collection(), grid.Items());
    grid.Items()->Delete(b->Index());
    EXPECT_EQ(grid.AllRows().size(), 1u);
    EXPECT_EQ(grid.DisplayedRows().size(), 1u);
}
