#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSInspectorFiler.h"
#include "inspector/RSItemProperty.h"
#include "inspector/RSObjectInspector.h"
#include "propgrid/RSItemListEditor.h"
#include "propgrid/RSItemStrings.h"
#include "reflection/Reader.h"
#include "reflection/TypInfo.h"
#include "reflection/Writer.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace
{

std::string Stored(TPersistent *object)
{
    TWriter writer;
    writer.WriteListBegin();
    writer.WriteProperties(object);
    writer.WriteListEnd();
    return writer.Data();
}

void Load(TPersistent *object, const std::string &data)
{
    TReader reader(data);
    reader.ReadListBegin();
    reader.ReadProperties(object);
    reader.ReadListEnd();
    EXPECT_TRUE(reader.AtEnd());
}

bool Holds(const std::string &data, const char *name)
{
    return data.find(name) != std::string::npos;
}

class GridPropertiesTest : public ::testing::Test
{
protected:
    TRSCustomObjectInspector &I() { return *view.Inspector(); }
    TRSItemProperty *Row(const std::string &path)
    {
        return static_cast<TRSItemProperty *>(I().Items()->FindPath(path));
    }
    void Write(const std::string &path, const std::string &text)
    {
        TRSItemProperty *row = Row(path);
        ASSERT_NE(row, nullptr) << path;
        row->SetValue(text);
        row->Apply();
        QCoreApplication::sendPostedEvents();
    }
    bool Changed(const std::string &path)
    {
        return &Row(path)->GetValueFont() == &I().ValueChangedFont();
    }

    TRSObjectInspector view;
    TRSItemListEditor grid;
};

} // namespace

TEST_F(GridPropertiesTest, TheInspectorListsTheGridsPropertiesWithTheirDefaultsAndWritesThem)
{
    view.SetComponent(&grid);
    view.Rebuild();
    for (const char *name : {"ArrangeByCategory",
                             "CaseSensitive",
                             "CategoryFont",
                             "ColCount",
                             "Color",
                             "DefaultColWidth",
                             "DefaultRowHeight",
                             "DeleteBlanks",
                             "DisplayOptions",
                             "DropDownRows",
                             "FixedColor",
                             "FixedCols",
                             "Font",
                             "GridLineWidth",
                             "HideSelection",
                             "Indent",
                             "Options",
                             "Orientation",
                             "PathDelimiter",
                             "PropertyOptions",
                             "RowCount",
                             "ScrollBars",
                             "ShowItemHintStyle",
                             "Sorted",
                             "TitleCaptionFont",
                             "TitleCaptions",
                             "ValueFont"})
        EXPECT_NE(Row(name), nullptr) << name;
    EXPECT_EQ(Row("DisplayOptions")->Value(),
              "[doColumnTitles,doAutoColResize,doKeyColFixed,doShowReadOnly]");
    EXPECT_EQ(Row("Options")->Value(), "[goFixedVertLine,goFixedHorzLine,goVertLine,goHorzLine,"
                                       "goColSizing,goEditing,goAlwaysShowEditor,goThumbTracking]");
    EXPECT_EQ(Row("Orientation")->Value(), "goVertical");
    EXPECT_EQ(Row("ScrollBars")->Value(), "ssBoth");
    EXPECT_EQ(Row("ShowItemHintStyle")->Value(), "shValueAndHint");
    EXPECT_EQ(Row("ColCount")->Value(), "2");
    EXPECT_EQ(Row("DefaultRowHeight")->Value(), "18");
    EXPECT_EQ(Row("PathDelimiter")->Value(), ".");
    EXPECT_EQ(Row("Color")->Value(), "clWindow");
    EXPECT_EQ(Row("FixedColor")->Value(), "clBtnFace");
    EXPECT_EQ(Row("CategoryFont.Style")->Value(), "[fsBold]");
    for (const char *atDefault : {"DisplayOptions", "Options", "DropDownRows", "DeleteBlanks",
                                  "HideSelection", "Color", "FixedColor", "ColCount"})
        EXPECT_FALSE(Changed(atDefault)) << atDefault;
    EXPECT_TRUE(Changed("Indent")) << "the declared default is not the initial indent";

    Write("DropDownRows", "12");
    EXPECT_EQ(grid.DropDownRows(), 12);
    EXPECT_TRUE(Changed("DropDownRows"));
    Write("DropDownRows", "0");
    EXPECT_EQ(grid.DropDownRows(), 12) << "no rows at all is ignored";
    Write("DisplayOptions", "[doAutoColResize,doKeyColFixed]");
    EXPECT_EQ(grid.DisplayOptions(), unsigned(doAutoColResize | doKeyColFixed));
    EXPECT_EQ(grid.FixedRows(), 0) << "the title line went with doColumnTitles";
    Write("Indent", "4");
    EXPECT_EQ(grid.Indent(), 4);
    Write("CaseSensitive", "True");
    EXPECT_TRUE(grid.CaseSensitive());
    Write("ShowItemHintStyle", "shHintOnly");
    EXPECT_EQ(grid.ShowItemHintStyle(), shHintOnly);
    Write("FixedColor", "clRed");
    EXPECT_EQ(grid.FixedColor(), 0x0000FF);
    EXPECT_EQ(Row("FixedColor")->Value(), "clRed");
    Write("ValueFont.Size", "14");
    EXPECT_EQ(grid.ValueFont().Size(), 14);
    Write("ScrollBars", "ssVertical");
    EXPECT_EQ(grid.ScrollBars(), TRSGridCore::ssVertical);
    Write("Sorted", "True");
    EXPECT_TRUE(grid.Sorted());
    EXPECT_TRUE(grid.Items()->Sorted());
}

TEST_F(GridPropertiesTest, AGridStoresWhatDiffersFromItsDefaultsAndReadsItBack)
{
    const std::string plain = Stored(&grid);
    for (const char *name :
         {"TitleCaptions", "DropDownRows", "ColCount", "RowCount", "DisplayOptions", "Options",
          "Orientation", "Sorted", "CaseSensitive", "DeleteBlanks", "HideSelection",
          "ShowItemHintStyle", "FixedColor", "DefaultColWidth", "GridLineWidth", "MinusGlyph",
          "PlusGlyph", "ScrollBars"})
        EXPECT_FALSE(Holds(plain, name)) << name;
    EXPECT_TRUE(Holds(plain, "Indent")) << "11 is never the declared default";
    EXPECT_FALSE(Holds(plain, "Items")) << "no rows";

    grid.TitleCaptions().SetLines({"Key", "Setting"});
    grid.SetDropDownRows(3);
    grid.SetCaseSensitive(true);
    grid.SetDisplayOptions(doAutoColResize | doMultiColValues);
    grid.SetPropertyOptions(propAdd | propDelete);
    grid.SetShowItemHintStyle(shNone);
    grid.SetDeleteBlanks(false);
    grid.SetHideSelection(false);
    grid.SetSorted(true);
    grid.SetPathDelimiter("/");
    grid.SetFixedColor(0x123456);
    grid.SetIndent(20);
    grid.SetScrollBars(TRSGridCore::ssNone);
    grid.ValueFont().SetSize(15);
    grid.Strings().SetText("Width=120\r\nCaption=OK\r\n");
    TRSGlyph corner{3, 2, {true, false, false, true, true, false}};
    grid.SetMinusGlyph(corner);
    grid.CategoryFont().SetStyle(TRSFont::fsBold | TRSFont::fsItalic);
    const std::string stored = Stored(&grid);
    EXPECT_TRUE(Holds(stored, "TitleCaptions"));
    EXPECT_TRUE(Holds(stored, "MinusGlyph"));
    EXPECT_FALSE(Holds(stored, "PlusGlyph"));

    TRSItemListEditor copy;
    Load(&copy, stored);
    EXPECT_EQ(copy.TitleCaptions().Text(), "Key\r\nSetting\r\n");
    EXPECT_EQ(copy.DropDownRows(), 3);
    EXPECT_TRUE(copy.CaseSensitive());
    EXPECT_EQ(copy.DisplayOptions(), unsigned(doAutoColResize | doMultiColValues));
    // Adding rows means keys may be edited too.
    EXPECT_EQ(copy.PropertyOptions(), unsigned(propEdit | propAdd | propDelete));
    EXPECT_EQ(copy.ShowItemHintStyle(), shNone);
    EXPECT_FALSE(copy.DeleteBlanks());
    EXPECT_FALSE(copy.HideSelection());
    EXPECT_TRUE(copy.Sorted());
    EXPECT_EQ(copy.PathDelimiter(), "/");
    EXPECT_EQ(copy.FixedColor(), 0x123456);
    EXPECT_EQ(copy.Indent(), 20);
    EXPECT_EQ(copy.ScrollBars(), TRSGridCore::ssNone);
    EXPECT_EQ(copy.Strings().Text(), grid.Strings().Text());
    EXPECT_EQ(copy.Items()->Count(), 2);
    EXPECT_EQ(copy.MinusGlyph(), corner);
    EXPECT_EQ(copy.PlusGlyph(), TRSGlyph::Plus());
    EXPECT_FALSE(copy.Loading()) << "the reading ended its loading";
    EXPECT_EQ(copy.ColCount(), grid.ColCount());
    EXPECT_EQ(copy.RowCount(), grid.RowCount());
    EXPECT_EQ(copy.ValueFont().Size(), 15);
    EXPECT_TRUE(copy.CategoryFont().Italic());
    EXPECT_TRUE(copy.CategoryFont().Bold());
    EXPECT_EQ(Stored(&copy), stored);

    // Titles set back to the default text are left out again.
    grid.TitleCaptions().SetLines({"Property", "Value"});
    EXPECT_FALSE(Holds(Stored(&grid), "TitleCaptions"));

    // The counts come before the orientation that would swap them.
    TRSItemListEditor across;
    across.SetOrientation(goHorizontal);
    across.SetColCount(5);
    across.SetRowCount(3);
    TRSItemListEditor acrossCopy;
    Load(&acrossCopy, Stored(&across));
    EXPECT_EQ(acrossCopy.Orientation(), goHorizontal);
    EXPECT_EQ(acrossCopy.ColCount(), 5);
    EXPECT_EQ(acrossCopy.RowCount(), 3);
    EXPECT_EQ(acrossCopy.FixedCols(), 1) << "the title line runs down the first column";
    EXPECT_EQ(acrossCopy.FixedRows(), 0);
}

TEST_F(GridPropertiesTest, AStoredInspectorKeepsItsGridProperties)
{
    TWriter plain;
    TRSInspectorFiler(I()).Write(plain);
    for (const char *name :
         {"TitleCaptions", "DropDownRows", "ArrangeByCategory", "Orientation", "DisplayKinds",
          "Filters", "InplaceComponents", "InplaceTStrings", "CollectionItemFormat",
          "StringsItemFormat", "ShowValueChangedFont", "DynamicTitleCaptions"})
        EXPECT_FALSE(Holds(plain.Data(), name)) << name;
    EXPECT_TRUE(Holds(plain.Data(), "ValueChangedFont")) << "a font is always written out";

    I().SetIndent(15);
    I().SetDropDownRows(5);
    I().SetArrangeByCategory(true);
    I().TitleCaptions().SetLines({"Name", "Setting"});
    I().TitleCaptionFont().SetSize(16);
    I().SetDisplayKinds(KindBit(tkInteger) | KindBit(tkString));
    I().Filters().SetLines({"Caption", "Width"});
    I().SetInplaceComponents(false);
    I().SetInplaceCollections(true);
    I().SetInplaceTStrings(true);
    I().SetInplaceTStringsOptions(InplaceOption(isSort));
    I().SetCollectionItemFormat("Item %d");
    I().SetStringsItemFormat("Line %d");
    I().SetDynamicTitleCaptions(true);
    I().SetShowValueChangedFont(false);
    I().ValueChangedFont().SetSize(13);
    TWriter writer;
    TRSInspectorFiler(I()).Write(writer);

    TRSObjectInspector other;
    TRSCustomObjectInspector &read = *other.Inspector();
    TReader reader(writer.Data());
    TRSInspectorFiler(read).Read(reader);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(read.Indent(), 15);
    EXPECT_EQ(read.DropDownRows(), 5);
    EXPECT_TRUE(read.ArrangeByCategory());
    EXPECT_EQ(read.TitleCaptions().Text(), "Name\r\nSetting\r\n");
    EXPECT_EQ(read.TitleCaptionFont().Size(), 16);
    EXPECT_TRUE(read.Sorted());
    EXPECT_EQ(read.DisplayKinds(), KindBit(tkInteger) | KindBit(tkString));
    EXPECT_EQ(read.Filters().Text(), "Caption\r\nWidth\r\n");
    EXPECT_FALSE(read.InplaceComponents());
    EXPECT_TRUE(read.InplaceCollections());
    EXPECT_TRUE(read.InplaceTStrings());
    EXPECT_EQ(read.InplaceTStringsOptions(), InplaceOption(isSort));
    EXPECT_EQ(read.CollectionItemFormat(), "Item %d");
    EXPECT_EQ(read.StringsItemFormat(), "Line %d");
    EXPECT_TRUE(read.DynamicTitleCaptions());
    EXPECT_FALSE(read.ShowValueChangedFont());
    EXPECT_EQ(read.ValueChangedFont().Size(), 13);
    EXPECT_FALSE(read.Loading());
}
