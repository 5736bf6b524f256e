#include "FakeGridHost.h"

#include "propgrid/RSItemListEditor.h"
#include "propgrid/RSItemProp.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "propgrid/RSItemProps.h"
#include "reflection/RSConsts.h"

#include <gtest/gtest.h>

namespace
{

TRSItemProp *AddNamed(TRSItemProps *items, const std::string &name, const std::string &value = "")
{
    TRSItemProp *row = items->Add();
    row->SetName(name);
    if (!value.empty())
        row->SetValue(value);
    return row;
}

std::vector<std::string> Shown(const TRSCustomItemListEditor &grid)
{
    std::vector<std::string> out;
    for (TRSItemProp *row : grid.DisplayedRows())
        out.push_back(row->Name());
    return out;
}

// The displayed rows must equal what a full rebuild finds.
void ExpectConsistent(TRSCustomItemListEditor &grid)
{
    const auto shown = grid.DisplayedRows();
    const auto all = grid.AllRows();
    grid.RebuildRows();
    EXPECT_EQ(shown, grid.DisplayedRows());
    EXPECT_EQ(all, grid.AllRows());
}

// A flag of an option mask, by name, and whether it is set.
struct TFlag {
    const char *name;
    unsigned flag;
    bool set;
};

// The mask holds the flags marked set and no others.
void ExpectFlags(const char *mask, unsigned value, std::initializer_list<TFlag> flags)
{
    unsigned expected = 0;
    for (const TFlag &flag : flags) {
        SCOPED_TRACE(std::string(mask) + " " + flag.name);
        EXPECT_EQ((value & flag.flag) != 0, flag.set);
        expected |= flag.set ? flag.flag : 0u;
    }
    EXPECT_EQ(value, expected) << mask << " holds no flag but the named ones";
}

struct TreeGrid : ::testing::Test {
    TRSItemListEditor grid;
    TRSItemProp *a, *a1, *a2, *a21, *b;
    void SetUp() override
    {
        a = AddNamed(grid.Items(), "a");
        a1 = AddNamed(a->Items(), "a1");
        a2 = AddNamed(a->Items(), "a2");
        a21 = AddNamed(a2->Items(), "a21");
        b = AddNamed(grid.Items(), "b");
    }
};

} // namespace

TEST(Grid, DefaultsOfANewGrid)
{
    TRSItemListEditor grid;
    EXPECT_EQ(grid.ColCount(), 2);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 0);
    EXPECT_EQ(grid.Col(), 1);
    ExpectFlags("Options", grid.Options(),
                {{"goFixedVertLine", goFixedVertLine, true},
                 {"goFixedHorzLine", goFixedHorzLine, true},
                 {"goVertLine", goVertLine, true},
                 {"goHorzLine", goHorzLine, true},
                 {"goRangeSelect", goRangeSelect, false},
                 {"goDrawFocusSelected", goDrawFocusSelected, false},
                 {"goRowSizing", goRowSizing, false},
                 {"goColSizing", goColSizing, true},
                 {"goRowMoving", goRowMoving, false},
                 {"goColMoving", goColMoving, false},
                 {"goEditing", goEditing, true},
                 {"goTabs", goTabs, false},
                 {"goRowSelect", goRowSelect, false},
                 {"goAlwaysShowEditor", goAlwaysShowEditor, true},
                 {"goThumbTracking", goThumbTracking, true}});
    ExpectFlags("DisplayOptions", grid.DisplayOptions(),
                {{"doColumnTitles", doColumnTitles, true},
                 {"doAutoColResize", doAutoColResize, true},
                 {"doKeyColFixed", doKeyColFixed, true},
                 {"doShowReadOnly", doShowReadOnly, true},
                 {"doMultiColValues", doMultiColValues, false}});
    EXPECT_EQ(grid.DefaultRowHeight(), 18);
    EXPECT_EQ(grid.DefaultColWidth(), 150);
    EXPECT_EQ(grid.Indent(), 11);
    EXPECT_EQ(grid.DropDownRows(), 8);
    EXPECT_EQ(grid.TitleCaptions().Text(), "Property\r\nValue\r\n");
    // The empty grid shows the title line and one blank line to type into.
    EXPECT_EQ(grid.GetCellText(0, 0), "Property");
    EXPECT_EQ(grid.GetCellText(1, 0), "Value");
    EXPECT_EQ(grid.GetCellText(0, 1), "");
    // The glyphs: a frame with a bar, and a cross for the plus.
    const TRSGlyph &plus = grid.PlusGlyph();
    EXPECT_TRUE(plus.Black(0, 0) && plus.Black(8, 8) && plus.Black(4, 2) && plus.Black(2, 4));
    EXPECT_FALSE(plus.Black(1, 1) || plus.Black(4, 1) || plus.Black(4, 7));
    EXPECT_FALSE(grid.MinusGlyph().Black(4, 2));
    EXPECT_TRUE(grid.MinusGlyph().Black(6, 4));
}

TEST_F(TreeGrid, CollapseAndExpandKeepTheCurrentRow)
{
    EXPECT_EQ(Shown(grid), (std::vector<std::string>{"a", "b"}));
    a->Expand();
    EXPECT_EQ(Shown(grid), (std::vector<std::string>{"a", "a1", "a2", "b"}));
    a2->Expand();
    EXPECT_EQ(Shown(grid), (std::vector<std::string>{"a", "a1", "a2", "a21", "b"}));
    EXPECT_EQ(grid.RowCount(), 6);
    grid.SetCurrentItem(5);
    ASSERT_EQ(grid.CurrentRow(), b);
    a->Collapse();
    EXPECT_EQ(Shown(grid), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(grid.CurrentRow(), b);
    EXPECT_EQ(grid.RowCount(), 3);
    ExpectConsistent(grid);
    a->Expand(); // a2 keeps its own expanded state
    EXPECT_EQ(Shown(grid), (std::vector<std::string>{"a", "a1", "a2", "a21", "b"}));
    EXPECT_EQ(grid.CurrentRow(), b);
    a1->SetVisible(false);
    EXPECT_EQ(Shown(grid), (std::vector<std::string>{"a", "a2", "a21", "b"}));
    a1->SetVisible(true);
    ExpectConsistent(grid);
    // A row inserted in the middle lands at its pre-order place.
    TRSItemProp *mid = a->Items()->Insert(1);
    mid->SetName("mid");
    EXPECT_EQ(Shown(grid), (std::vector<std::string>{"a", "a1", "mid", "a2", "a21", "b"}));
    ExpectConsistent(grid);
    grid.CollapseAll();
    EXPECT_EQ(Shown(grid), (std::vector<std::string>{"a", "b"}));
    grid.ExpandAll();
    EXPECT_EQ(Shown(grid).size(), 6u);
}

TEST_F(TreeGrid, ReadOnlyRowsHideWithTheirSubtree)
{
    a->ExpandAll();
    a2->SetReadOnly(true);
    EXPECT_EQ(Shown(grid).size(), 5u);
    grid.SetDisplayOptions(grid.DisplayOptions() & ~doShowReadOnly);
    EXPECT_EQ(Shown(grid), (std::vector<std::string>{"a", "a1", "b"}));
    a2->SetReadOnly(false);
    EXPECT_EQ(Shown(grid), (std::vector<std::string>{"a", "a1", "a2", "a21", "b"}));
    ExpectConsistent(grid);
}

TEST_F(TreeGrid, OrientationSwapRestoresLayoutAndSelection)
{
    a->Expand();
    grid.SetCurrentItem(2);
    const int cols = grid.ColCount(), rows = grid.RowCount();
    const auto sel = grid.Selection();
    grid.SetOrientation(goHorizontal);
    EXPECT_EQ(grid.ColCount(), rows);
    EXPECT_EQ(grid.RowCount(), cols);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.FixedRows(), 0);
    EXPECT_EQ(grid.CurrentRow(), a1);
    EXPECT_EQ(grid.GetCellText(2, 0), "a1");
    EXPECT_EQ(grid.TopRow(), 0); // the key line is not scrolled away
    EXPECT_EQ(grid.LeftCol(), 1);
    grid.SetOrientation(goVertical);
    EXPECT_EQ(grid.TopRow(), 1);
    EXPECT_EQ(grid.LeftCol(), 0);
    EXPECT_EQ(grid.ColCount(), cols);
    EXPECT_EQ(grid.RowCount(), rows);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 0);
    EXPECT_EQ(grid.Selection().Top, sel.Top);
    EXPECT_EQ(grid.Selection().Left, sel.Left);
}

TEST(Grid, ColumnTitlesKeepTheCurrentItemOffTheTitleLine)
{
    TRSItemListEditor grid;
    grid.SetDisplayOptions(grid.DisplayOptions() & ~doColumnTitles);
    EXPECT_EQ(grid.FixedRows(), 0);
    grid.SetCurrentItem(0);
    grid.SetDisplayOptions(grid.DisplayOptions() | doColumnTitles);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.Row(), 1);
}

TEST(Grid, AutoSizeColumns)
{
    TRSItemListEditor grid;
    FakeGridHost host;
    host.Width = 183;
    grid.SetHost(&host);
    grid.SetDisplayOptions(doColumnTitles | doAutoColResize);
    EXPECT_EQ(grid.ColWidth(0), 90);
    EXPECT_EQ(grid.ColWidth(1), 91);
    grid.SetDisplayOptions(doColumnTitles | doAutoColResize | doKeyColFixed | doMultiColValues);
    grid.SetColCount(3);
    EXPECT_EQ(grid.ColWidth(0), 90);
    EXPECT_EQ(grid.ColWidth(1), 45);
    EXPECT_EQ(grid.ColWidth(2), 45);
    grid.SetHost(nullptr);
}

TEST(Grid, ColumnSizingWorksAnywhereInTheClientArea)
{
    TRSItemListEditor grid;
    FakeGridHost host;
    grid.SetHost(&host);
    grid.SetDisplayOptions(doColumnTitles);
    grid.SetColWidth(0, 100);
    int index = -1, pos = 0, ofs = 0;
    // Column 0 ends at 100 + 1 (line); grab zone [98, 105].
    EXPECT_EQ(grid.CalcSizingState(99, 150, index, pos, ofs), gsColSizing);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(pos, 101);
    EXPECT_EQ(ofs, 2);
    EXPECT_EQ(grid.CalcSizingState(50, 150, index, pos, ofs), gsNormal);
    grid.SetOptions(grid.Options() & ~goColSizing);
    EXPECT_EQ(grid.CalcSizingState(99, 150, index, pos, ofs), gsNormal);
    grid.SetHost(nullptr);
}

TEST(Grid, TypingIntoTheBlankLineCreatesOneRow)
{
    TRSItemListEditor grid;
    grid.SetEditText(1, 1, "v");
    ASSERT_EQ(grid.Items()->Count(), 1);
    EXPECT_EQ(grid.Items()->Item(0)->Value(), "v");
    grid.SetEditText(1, 1, "vw");
    EXPECT_EQ(grid.Items()->Count(), 1);
    EXPECT_EQ(grid.GetCellText(1, 1), "vw");
    grid.SetEditText(0, 1, "key");
    EXPECT_EQ(grid.Items()->Item(0)->Name(), "key");
}

TEST(Grid, TypingANameInASortedGridKeepsEditingTheSameRow)
{
    TRSItemListEditor grid;
    grid.SetSorted(true);
    grid.SetPropertyOptions(propEdit);
    AddNamed(grid.Items(), "a");
    AddNamed(grid.Items(), "c");
    TRSItemProp *fresh = grid.Items()->Add();
    grid.SetCurrentItem(1 + fresh->DisplayIndex());
    grid.SetCurrentField(0);
    grid.SetEditText(0, grid.Row(), "b");
    EXPECT_EQ(grid.CurrentRow(), fresh);
    grid.SetEditText(0, grid.Row(), "bx");
    EXPECT_EQ(fresh->Name(), "bx");
    EXPECT_EQ(Shown(grid), (std::vector<std::string>{"a", "bx", "c"}));
}

TEST(Grid, CollidingKeyIsHeldBackOnceThenRefused)
{
    TRSItemListEditor grid;
    grid.SetPropertyOptions(propEdit | propUnique);
    AddNamed(grid.Items(), "a");
    TRSItemProp *b = AddNamed(grid.Items(), "b");
    grid.SetEditText(0, 2, "a");
    EXPECT_EQ(grid.PendingName(), "a");
    EXPECT_EQ(b->Name(), "b");
    try {
        grid.SetEditText(0, 2, "a");
        FAIL() << "no error";
    } catch (const ERSException &e) {
        EXPECT_STREQ(e.what(), "Property name is not unique: a");
    }
    EXPECT_EQ(b->Name(), "b");
    EXPECT_EQ(grid.PendingName(), "");
    EXPECT_EQ(grid.UpdateCounter(), 0);
}

TEST(Grid, BlankRowsAreDeletedWhenLeft)
{
    TRSItemListEditor grid;
    AddNamed(grid.Items(), "a", "1");
    grid.Items()->Add(); // blank
    AddNamed(grid.Items(), "c", "3");
    AddNamed(grid.Items(), "d", "4");
    // Moving down from the blank line lands on the chosen row, one line up.
    grid.SetRow(2);
    ASSERT_EQ(grid.CurrentRow()->Name(), "");
    grid.SetRow(4);
    EXPECT_EQ(Shown(grid), (std::vector<std::string>{"a", "c", "d"}));
    EXPECT_EQ(grid.CurrentRow()->Name(), "d");
    // Moving up lands on the chosen line.
    grid.Items()->Insert(2);
    grid.SetRow(3);
    ASSERT_EQ(grid.CurrentRow()->Name(), "");
    grid.SetRow(1);
    EXPECT_EQ(Shown(grid), (std::vector<std::string>{"a", "c", "d"}));
    EXPECT_EQ(grid.CurrentRow()->Name(), "a");
}

TEST(Grid, KeysAddAndDeleteRows)
{
    TRSItemListEditor grid;
    AddNamed(grid.Items(), "a", "1");
    AddNamed(grid.Items(), "b", "2");
    grid.SetRow(2);
    int key = Qt::Key_Down;
    grid.KeyDown(key, Qt::NoModifier);
    EXPECT_EQ(grid.Items()->Count(), 2); // without propAdd nothing is added
    grid.SetRow(2);
    grid.SetPropertyOptions(propAdd);
    EXPECT_TRUE(grid.PropertyOptions() & propEdit);
    key = Qt::Key_Down;
    grid.KeyDown(key, Qt::NoModifier);
    EXPECT_EQ(key, 0);
    ASSERT_EQ(grid.Items()->Count(), 3);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_TRUE(grid.CurrentRow()->IsBlank());
    // Leaving the new blank row removes it again.
    key = Qt::Key_Up;
    grid.KeyDown(key, Qt::NoModifier);
    EXPECT_EQ(grid.Items()->Count(), 2);
    EXPECT_EQ(grid.Row(), 2);

    key = Qt::Key_Delete;
    grid.KeyDown(key, Qt::ControlModifier);
    EXPECT_EQ(grid.Items()->Count(), 2); // without propDelete
    grid.SetPropertyOptions(grid.PropertyOptions() | propDelete);
    key = Qt::Key_Delete;
    grid.KeyDown(key, Qt::ControlModifier);
    EXPECT_EQ(Shown(grid), (std::vector<std::string>{"a"}));
    EXPECT_EQ(grid.Row(), 1);

    key = Qt::Key_Up;
    grid.KeyDown(key, Qt::ControlModifier);
    EXPECT_EQ(grid.Row(), 1);
    AddNamed(grid.Items(), "z");
    key = Qt::Key_Down;
    grid.KeyDown(key, Qt::ControlModifier);
    EXPECT_EQ(grid.Row(), 2);
    // Insert puts a row before the current line.
    key = Qt::Key_Insert;
    grid.KeyDown(key, Qt::NoModifier);
    EXPECT_EQ(Shown(grid), (std::vector<std::string>{"a", "", "z"}));
    EXPECT_EQ(grid.Row(), 2);
}

TEST(Grid, KeyColumnNeedsPropEdit)
{
    TRSItemListEditor grid;
    AddNamed(grid.Items(), "a", "1");
    AddNamed(grid.Items(), "b", "2");
    FakeGridHost host;
    grid.SetHost(&host);
    grid.SetColWidth(0, 100);
    // A click on the key cell of line 2 selects its value cell.
    const TRSGridRect key2 = grid.CellRect(0, 2);
    grid.MouseDown(Qt::LeftButton, Qt::NoModifier, key2.Left + 50, key2.Top + 5, false);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 1);
    grid.SetCol(0);
    EXPECT_EQ(grid.Col(), 1);
    grid.SetPropertyOptions(propEdit);
    grid.SetCol(0);
    EXPECT_EQ(grid.Col(), 0);
    grid.SetPropertyOptions(0);
    EXPECT_EQ(grid.Col(), 1);
    grid.SetHost(nullptr);
}

TEST_F(TreeGrid, GlyphClickTogglesAndDrawingIndents)
{
    FakeGridHost host;
    grid.SetHost(&host);
    const TRSGridRect r = grid.CellRect(0, 1);
    TRSCellDrawInfo info = grid.CellDrawInfo(0, 1, r, false, true);
    EXPECT_EQ(info.Glyph, &grid.PlusGlyph());
    EXPECT_EQ(info.GlyphX, r.Left);
    EXPECT_EQ(info.GlyphY, r.Top + 4);
    EXPECT_EQ(info.TextX, r.Left + 11 + 2);
    // A press inside the glyph box expands the row.
    grid.MouseDown(Qt::LeftButton, Qt::NoModifier, r.Left + 3, r.Top + 6, false);
    EXPECT_TRUE(a->Expanded());
    info = grid.CellDrawInfo(0, 2, grid.CellRect(0, 2), false, true);
    EXPECT_EQ(info.Glyph, nullptr);
    EXPECT_EQ(info.TextX, 22 + 2); // level 1, no children
    info = grid.CellDrawInfo(0, 3, grid.CellRect(0, 3), false, true);
    EXPECT_EQ(info.GlyphX, 11);
    EXPECT_EQ(info.Text, "a2");
    // A double click's second press does not toggle.
    grid.MouseDown(Qt::LeftButton, Qt::NoModifier, r.Left + 3, r.Top + 6, true);
    EXPECT_TRUE(a->Expanded());
    // The current cell of an unfocused grid shows no selection.
    grid.SetCurrentItem(1);
    info = grid.CellDrawInfo(1, 1, grid.CellRect(1, 1), true, false);
    EXPECT_TRUE(info.FillWithWindowColor);
    a1->SetEnabled(false);
    info = grid.CellDrawInfo(1, 2, grid.CellRect(1, 2), false, true);
    EXPECT_EQ(info.Color, TRSCellDrawInfo::tcInactiveCaptionText);
    grid.SetHost(nullptr);
}

TEST(Grid, CategoriesGroupRows)
{
    TRSItemListEditor grid;
    grid.SetArrangeByCategory(true);
    grid.Items()->Categories().Add("Caption=Text");
    TRSItemProp *caption = AddNamed(grid.Items(), "Caption");
    TRSItemProp *width = AddNamed(grid.Items(), "Width");
    ASSERT_TRUE(caption->ParentItem());
    EXPECT_EQ(caption->ParentItem()->Name(), "Text");
    ASSERT_TRUE(width->ParentItem());
    EXPECT_EQ(width->ParentItem()->Name(), "Miscellaneous");
    EXPECT_EQ(grid.Items()->IndexOfCategory("Miscellaneous"), 0);

    grid.OnCategorize = [](TRSObject *, const TRSItemProp *, const std::string &name,
                           std::string &category) {
        if (name == "Left")
            category = "Position";
        if (name == "Top")
            category.clear();
    };
    TRSItemProp *left = AddNamed(grid.Items(), "Left");
    TRSItemProp *top = AddNamed(grid.Items(), "Top");
    EXPECT_EQ(left->ParentItem()->Name(), "Position");
    EXPECT_EQ(top->ParentItem()->Name(), "Miscellaneous");
    ExpectConsistent(grid);

    // Keep: a row listed under two categories shows in both.
    TRSStringList categories;
    categories.Add("Enabled=Behaviour");
    categories.Add("Enabled=State");
    grid.OnCategorize = nullptr;
    grid.Items()->Categories().Add("Enabled=Behaviour");
    TRSItemProp *enabled = AddNamed(grid.Items(), "Enabled", "True");
    ASSERT_EQ(enabled->ParentItem()->Name(), "Behaviour");
    grid.CategorizeItem(enabled, categories, true);
    const TRSItemProp *state = grid.Items()->Item(grid.Items()->IndexOfCategory("State"));
    ASSERT_EQ(state->Items()->Count(), 1);
    EXPECT_EQ(state->Items()->Item(0)->Name(), "Enabled");
    EXPECT_EQ(state->Items()->Item(0)->Value(), "True");
    EXPECT_EQ(enabled->ParentItem()->Name(), "Behaviour");
}

TEST(Grid, ItemHintsShowWhatDoesNotFit)
{
    TRSItemListEditor grid;
    FakeGridHost host;
    grid.SetHost(&host);
    grid.SetColWidth(1, 100);
    TRSItemProp *row = AddNamed(grid.Items(), "a", "short");
    const auto measure = [](const std::string &text, const TRSFont &, int &w, int &h) {
        w = static_cast<int>(text.size()) * 6;
        h = 14;
    };
    const TRSGridRect cell = grid.CellRect(1, 1);
    auto hint = grid.ItemHintAt(cell.Left + 5, cell.Top + 5, measure);
    EXPECT_TRUE(hint.Change);
    EXPECT_FALSE(hint.Show); // fits and equals the text
    EXPECT_FALSE(grid.ItemHintAt(cell.Left + 5, cell.Top + 5, measure).Change);
    row->SetHint("more");
    hint = grid.ItemHintAt(cell.Left + 6, cell.Top + 5, measure);
    ASSERT_TRUE(hint.Show);
    EXPECT_EQ(hint.Text, "short\r\n(more)");
    EXPECT_EQ(hint.X, cell.Left);
    row->SetHint("");
    row->SetValue("a rather long value text");
    hint = grid.ItemHintAt(cell.Left + 7, cell.Top + 5, measure);
    EXPECT_TRUE(hint.Show);
    grid.SetColWidth(1, 200);
    hint = grid.ItemHintAt(cell.Left + 8, cell.Top + 5, measure);
    EXPECT_FALSE(hint.Show);
    // The key cell's hint sits over the indented text.
    grid.SetColWidth(0, 10);
    hint = grid.ItemHintAt(3, cell.Top + 5, measure);
    ASSERT_TRUE(hint.Show);
    EXPECT_EQ(hint.Text, "a");
    EXPECT_EQ(hint.X, 11);
    grid.SetHost(nullptr);
}
