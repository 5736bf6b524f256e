#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSInspectorObject.h"
#include "inspector/RSObjectInspector.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "reflection/Persistent.h"
#include "reflection/RSConsts.h"

#include <QCoreApplication>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>
#include <memory>

// The description tables below name only the fields they need.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace
{

// A small inspectable world of its own: a control with a font, so that the
// inspector is tested apart from the designer's class descriptions.
struct Font : TPersistent {
    std::string Name = "Sans";
    int64_t Size = 8;
    int64_t Style = 0;
};

struct Control : TPersistent {
    bool IsComponent() const override { return true; }
    std::string ComponentName() const override { return Name; }
    std::string Name;
    std::string Caption;
    int64_t Width = 75, Height = 25, Left = 0, Tag = 0, Align = 0;
    bool Visible = true;
    Font TheFont;
};

struct Other : TPersistent {
    int64_t Width = 10;
};

TTypeInfo IntegerType{tkInteger, "Integer", INT32_MIN, INT32_MAX};
TTypeInfo ByteType{tkInteger, "Byte", 0, 255};
TTypeInfo StringType{tkLString, "String"};
TTypeInfo BooleanType{tkEnumeration, "Boolean", 0, 1, {"False", "True"}};
TTypeInfo AlignType{tkEnumeration,
                    "TAlign",
                    0,
                    6,
                    {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"}};
TTypeInfo StyleElement{
    tkEnumeration, "TFontStyle", 0, 3, {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
TTypeInfo StyleType{tkSet, "TFontStyles", 0, 3, {}, nullptr, &StyleElement};

template <class T>
TPropInfo Int(const char *name, int64_t T::*field, const TTypeInfo *type = &IntegerType,
              bool hasDefault = false, int64_t def = 0)
{
    return {
        name,
        type,
        [field](TPersistent *o) { return TVariant(static_cast<T *>(o)->*field); },
        [field](TPersistent *o, const TVariant &v) { static_cast<T *>(o)->*field = v.AsInt64(); },
        {},
        hasDefault,
        def};
}

TClassInfo FontClass{
    "TFont",
    nullptr,
    {{"Name", &StringType, [](TPersistent *o) { return TVariant(static_cast<Font *>(o)->Name); },
      [](TPersistent *o, const TVariant &v) { static_cast<Font *>(o)->Name = v.AsString(); }},
     Int<Font>("Size", &Font::Size),
     Int<Font>("Style", &Font::Style, &StyleType, true, 0)}};
TTypeInfo FontType{tkClass, "TFont", 0, 0, {}, nullptr, nullptr, &FontClass};

TClassInfo ControlClass{
    "TControl",
    nullptr,
    {Int<Control>("Width", &Control::Width),
     Int<Control>("Height", &Control::Height),
     Int<Control>("Left", &Control::Left),
     Int<Control>("Tag", &Control::Tag, &ByteType, true, 0),
     Int<Control>("Align", &Control::Align, &AlignType, true, 0),
     {"Caption", &StringType,
      [](TPersistent *o) { return TVariant(static_cast<Control *>(o)->Caption); },
      [](TPersistent *o, const TVariant &v) { static_cast<Control *>(o)->Caption = v.AsString(); }},
     {"Visible",
      &BooleanType,
      [](TPersistent *o) {
          return TVariant(static_cast<int64_t>(static_cast<Control *>(o)->Visible));
      },
      [](TPersistent *o, const TVariant &v) {
          static_cast<Control *>(o)->Visible = v.AsInt64() != 0;
      },
      {},
      true,
      1},
     {"Font", &FontType,
      [](TPersistent *o) {
          return TVariant(static_cast<TPersistent *>(&static_cast<Control *>(o)->TheFont));
      },
      [](TPersistent *, const TVariant &) {}}}};
TClassInfo OtherClass{"TOther", nullptr, {Int<Other>("Width", &Other::Width)}};

class InspectorTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        TypInfo::RegisterClass(typeid(Control), &ControlClass);
        TypInfo::RegisterClass(typeid(Font), &FontClass);
        TypInfo::RegisterClass(typeid(Other), &OtherClass);
    }
    void SetUp() override
    {
        a.Name = "Control1";
        b.Name = "Control2";
    }
    TRSCustomObjectInspector &I() { return *view.Inspector(); }
    TRSItemProperty *Row(const std::string &path)
    {
        return static_cast<TRSItemProperty *>(I().Items()->FindPath(path));
    }
    std::vector<std::string> TopNames()
    {
        std::vector<std::string> names;
        for (int i = 0; i < I().Items()->Count(); ++i)
            names.push_back(I().Items()->Item(i)->Name());
        return names;
    }
    void Flush() { QCoreApplication::sendPostedEvents(); }

    Control a, b;
    TRSObjectInspector view;
};

TEST_F(InspectorTest, ListsPropertiesSortedWithNestedFontAndSetElements)
{
    view.SetComponent(&a);
    view.Rebuild();
    EXPECT_EQ(TopNames(), (std::vector<std::string>{"Align", "Caption", "Font", "Height", "Left",
                                                    "Tag", "Visible", "Width"}));
    EXPECT_EQ(Row("Width")->Value(), "75");
    EXPECT_EQ(Row("Align")->Value(), "alNone");
    TRSItemProperty *font = Row("Font");
    EXPECT_EQ(font->Value(), "(TFont)");
    EXPECT_TRUE(font->GetReadOnly());
    EXPECT_EQ(Row("Font.Style")->Value(), "[]");
    TRSItemProps *elements = Row("Font.Style")->Items();
    ASSERT_EQ(elements->Count(), 4);
    EXPECT_EQ(elements->Item(0)->Name(), "fsBold");
    EXPECT_EQ(elements->Item(3)->Name(), "fsStrikeOut");
    EXPECT_TRUE(Row("Font.Style")->GetReadOnly());
    EXPECT_EQ(Row("Font.Style.fsBold")->PropPath(), "Font.Style.fsBold");
    EXPECT_EQ(I().Component(), &a);
}

TEST_F(InspectorTest, SeveralObjectsShowCommonPropertiesAndWriteToAll)
{
    Other other;
    b.Width = 90;
    I().Objects().AddObject(&a);
    I().Objects().AddObject(&other);
    view.Rebuild();
    EXPECT_EQ(TopNames(), std::vector<std::string>{"Width"});

    I().Objects().Clear();
    I().Objects().AddObject(&a);
    I().Objects().AddObject(&b);
    a.Caption = "OK";
    b.Caption = "ok";
    view.Rebuild();
    EXPECT_TRUE(Row("Caption")->IsAllEqual());
    EXPECT_EQ(Row("Caption")->Value(), "OK");
    TRSItemProperty *width = Row("Width");
    EXPECT_FALSE(width->IsAllEqual());
    EXPECT_EQ(width->Value(), "75");
    width->SetValue("40");
    width->Apply();
    EXPECT_EQ(a.Width, 40);
    EXPECT_EQ(b.Width, 40);
    Flush();
    EXPECT_TRUE(Row("Width")->IsAllEqual());

    view.SetComponent(&b);
    EXPECT_EQ(I().Objects().Count(), 1);
    view.SetComponent(nullptr);
    EXPECT_EQ(I().Objects().Count(), 0);
    Flush();
    EXPECT_EQ(I().Items()->Count(), 0);
}

TEST_F(InspectorTest, TextsAreConvertedOrRefusedWithTheirMessages)
{
    view.SetComponent(&a);
    view.Rebuild();
    TRSItemProperty *style = Row("Font.Style");
    I().SetPropText(&a, style, "fsItalic, fsBold");
    EXPECT_EQ(a.TheFont.Style, 3);
    I().SetPropText(&a, style, "[fsBold");
    EXPECT_EQ(a.TheFont.Style, 1);
    try {
        I().SetPropText(&a, style, "Heavy");
        FAIL();
    } catch (const std::exception &e) {
        EXPECT_STREQ(e.what(), "Invalid property element: Heavy");
    }
    I().SetPropText(&a, Row("Width"), "12.7");
    EXPECT_EQ(a.Width, 12);
    EXPECT_THROW(I().SetPropText(&a, Row("Tag"), "300"), ERSException);
    EXPECT_EQ(a.Tag, 0);
    try {
        Row("Width")->SetValue("abc");
        Row("Width")->Validate();
        FAIL();
    } catch (const std::exception &e) {
        EXPECT_STREQ(e.what(), "Could not convert variant of type (String) into type (Double)");
    }
    EXPECT_EQ(a.Width, 12);
}

TEST_F(InspectorTest, SetElementRowsRebuildTheSetForEveryObject)
{
    I().Objects().AddObject(&a);
    I().Objects().AddObject(&b);
    view.Rebuild();
    TRSItemProperty *bold = Row("Font.Style.fsBold");
    bold->SetValue("True");
    bold->Apply();
    EXPECT_EQ(a.TheFont.Style, 1);
    EXPECT_EQ(b.TheFont.Style, 1);
    EXPECT_EQ(Row("Font.Style")->Value(), "fsBold");
    Flush();
    EXPECT_EQ(Row("Font.Style")->Value(), "[fsBold]");
    EXPECT_EQ(Row("Font.Style.fsBold")->Value(), "True");
    try {
        Row("Font.Style.fsBold")->GetOrdValue();
        FAIL();
    } catch (const std::exception &e) {
        EXPECT_STREQ(e.what(), "Item \"Font.Style.fsBold\" is not a real property");
    }
}

TEST_F(InspectorTest, FiltersHideByNameOrByFullPath)
{
    view.SetComponent(&a);
    TRSStringList filters{"Font.Name", "Tag"};
    I().SetFilters(filters);
    view.Rebuild();
    EXPECT_EQ(Row("Tag"), nullptr);
    EXPECT_EQ(Row("Font.Name"), nullptr);
    EXPECT_NE(Row("Font.Size"), nullptr);
    TRSStringList byName{"Size"};
    I().SetFilters(byName);
    view.Rebuild();
    EXPECT_EQ(Row("Font.Size"), nullptr);
    EXPECT_NE(Row("Tag"), nullptr);

    // A filter names properties, not the category of the same name: hiding
    // an "Action" property keeps Caption, which is listed under Action.
    TRSStringList action{"Action"};
    I().SetFilters(action);
    I().SetArrangeByCategory(true);
    view.Rebuild();
    EXPECT_NE(Row("Action.Caption"), nullptr);
}

TEST_F(InspectorTest, CategoriesKeepResolvingToTheControl)
{
    view.SetComponent(&a);
    I().SetArrangeByCategory(true);
    view.Rebuild();
    TRSItemProperty *height = Row("Layout.Height");
    ASSERT_NE(height, nullptr);
    EXPECT_EQ(height->GetFullName(), "Layout.Height");
    EXPECT_NE(Row("Visual.Height"), nullptr);
    height->SetValue("60");
    height->Apply();
    EXPECT_EQ(a.Height, 60);
}

TEST_F(InspectorTest, ValueChangedFontFollowsDeclaredDefaults)
{
    view.SetComponent(&a);
    view.Rebuild();
    const TRSFont *changed = &I().ValueChangedFont();
    EXPECT_EQ(&Row("Caption")->GetValueFont(), changed) << "a stored text always counts";
    EXPECT_NE(&Row("Visible")->GetValueFont(), changed);
    EXPECT_EQ(&Row("Left")->GetValueFont(), changed) << "no default never equals a value";
    EXPECT_NE(&Row("Align")->GetValueFont(), changed);
    a.Align = 5;
    I().RefreshAll();
    EXPECT_EQ(Row("Align")->Value(), "alClient");
    EXPECT_EQ(&Row("Align")->GetValueFont(), changed);
    EXPECT_TRUE(I().ValueChangedFont().Bold());
}

TEST_F(InspectorTest, SeveralObjectsCompareTextsInEveryLetterCaseOfTheCodePage)
{
    I().Objects().AddObject(&a);
    I().Objects().AddObject(&b);
    // Capital and small letters of the code page, Cyrillic ones included.
    a.Caption = "\xCF\xF0\xE8\xE5\xEC \xA8\xC6";
    b.Caption = "\xEF\xF0\xE8\xE5\xEC \xB8\xE6";
    view.Rebuild();
    EXPECT_TRUE(Row("Caption")->IsAllEqual());
    EXPECT_EQ(Row("Caption")->Value(), a.Caption);
    // Two different letters stay different.
    b.Caption = "\xEF\xF0\xE8\xE5\xEC \xB8\xE7";
    view.Rebuild();
    EXPECT_FALSE(Row("Caption")->IsAllEqual());
}

TEST_F(InspectorTest, CategoryCopiesDropTheChangedFontWithTheirOriginal)
{
    a.Align = 5;
    view.SetComponent(&a);
    I().SetArrangeByCategory(true);
    view.Rebuild();
    TRSItemProperty *layout = Row("Layout.Align");
    TRSItemProperty *visual = Row("Visual.Align");
    ASSERT_TRUE(layout && visual);
    EXPECT_TRUE(layout->GetValueFont().Bold());
    EXPECT_TRUE(visual->GetValueFont().Bold());
    a.Align = 0;
    I().RefreshAll();
    EXPECT_EQ(visual->Value(), "alNone");
    EXPECT_FALSE(layout->GetValueFont().Bold());
    EXPECT_FALSE(visual->GetValueFont().Bold());
    EXPECT_TRUE(visual->ValueFont().SameAs(I().ValueFont()));
}

TEST_F(InspectorTest, TheInspectorIsPaintedInTheButtonFaceColour)
{
    view.resize(200, 200);
    view.show();
    const QImage shot = view.viewport()->grab().toImage();
    // Below the title line nothing but the background is painted.
    EXPECT_EQ(QColor(shot.pixel(100, 150)), view.palette().color(QPalette::Button));
    EXPECT_NE(view.palette().color(QPalette::Button), view.palette().color(QPalette::Base));
}

TEST_F(InspectorTest, DestroyedObjectsLeaveAndAStaleRowRebuilds)
{
    auto gone = std::make_unique<Control>();
    I().Objects().AddObject(gone.get());
    I().Objects().AddObject(&a);
    view.Rebuild();
    gone.reset();
    EXPECT_EQ(I().Objects().Count(), 1);
    Flush();
    EXPECT_EQ(Row("Width")->Value(), "75");
    EXPECT_EQ(I().Component(), &a);
}

TEST_F(InspectorTest, ScanCanBeRefusedAndTheGridStaysUsable)
{
    view.SetComponent(&a);
    I().OnBeforeScan = [](TRSObject *, TRSItemProperty *item, bool &result) {
        if (!item)
            result = false;
    };
    view.Rebuild();
    EXPECT_EQ(I().Items()->Count(), 0);
    I().OnBeforeScan = nullptr;
    view.Rebuild();
    EXPECT_GT(I().Items()->Count(), 0);
}

} // namespace
