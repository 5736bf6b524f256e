#include "controls/Font.h"
#include "controls/LXButton.h"
#include "controls/Strings.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSInspectorFiler.h"
#include "inspector/RSItemProperties.h"
#include "inspector/RSItemPropsFiler.h"
#include "inspector/RSObjectInspector.h"
#include "inspector/RSPropertyPresets.h"
#include "presets/RSTINIStringsPropertyPreset.h"
#include "presets/RSTModalResultPropertyPreset.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "reflection/Reader.h"
#include "reflection/Writer.h"
#include "support/DesignerSingletons.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <sstream>

namespace
{

std::string FontText(const TRSFont &f)
{
    return f.Name() + "/" + std::to_string(f.Size()) + "/" + std::to_string(f.Color()) + "/" +
           std::to_string(f.Style());
}

// Everything a row stores, for every row of the tree, one line per row.
void Describe(TRSItemProps &rows, std::ostringstream &out)
{
    for (int i = 0; i < rows.Count(); ++i) {
        TRSItemProp &r = *rows.Item(i);
        out << r.GetFullName() << " values=" << r.Values()->Text() << " hint=" << r.Hint()
            << " ro=" << r.ReadOnlyFlag() << r.Enabled() << r.GetVisible() << r.Expanded()
            << r.Category() << r.DefaultCategory() << r.ExpressionMask()
            << " style=" << r.EditStyle() << " mask=" << r.EditMask()
            << " pick=" << r.GetPickList()->Text() << " tag=" << r.Tag()
            << " fonts=" << r.ParentFont() << r.ParentValueFont() << FontText(r.Font())
            << FontText(r.ValueFont());
        auto *p = dynamic_cast<TRSItemProperty *>(&r);
        if (p)
            out << " data=" << p->HasTypeData() << p->IsAllEqual();
        // Type data is stored only for rows bound to a real property.
        if (p && p->HasTypeData()) {
            out << " " << p->PropName() << ":" << p->TypeName() << ":" << int(p->TypeKind()) << ":"
                << int(p->ItemKind());
            for (const TVariant &v : p->StoredValues())
                out << " [" << TVariant::TypeName(v.VarType()) << " " << v.AsString() << "]";
        }
        out << "\n";
        Describe(*r.Items(), out);
    }
}

std::string Describe(TRSItemProps &rows)
{
    std::ostringstream out;
    Describe(rows, out);
    return out.str();
}

TRSItemProperty *AddRow(TRSItemProps &rows, const std::string &name, const std::string &type,
                        TTypeKind kind, const TVariant &stored)
{
    auto *row = static_cast<TRSItemProperty *>(rows.Add());
    row->SetName(name);
    row->SetTypeName(type);
    row->SetTypeKind(kind);
    row->SetStoredValue(0, stored);
    row->SetHasTypeData(true);
    row->SetIsAllEqual(true);
    return row;
}

// Class and published settings of every preset, name lists included.
std::string Describe(TRSPropertyPresets &presets)
{
    std::string text;
    for (int i = 0; i < presets.Count(); ++i) {
        TPersistent *preset = presets.Items(i);
        const TClassInfo *info = TypInfo::ClassInfoOf(preset);
        text += info->Name;
        for (const TPropInfo *prop : TypInfo::ListPublishedProperties(info, tkProperties)) {
            text += " " + prop->Name + "=";
            if (prop->PropType->Kind != tkClass)
                text += TypInfo::ReadAsVariant(preset, prop->Name, true).AsString();
            else if (auto *list =
                         dynamic_cast<TStrings *>(TypInfo::GetObjectProp(preset, prop->Name)))
                for (const std::string &line : list->Strings())
                    text += line + ";";
        }
        text += "\n";
    }
    return text;
}

template <class T> T *PresetOf(TRSPropertyPresets &presets)
{
    for (int i = 0; i < presets.Count(); ++i)
        if (auto *preset = dynamic_cast<T *>(presets.Items(i)))
            return preset;
    return nullptr;
}

} // namespace

TEST(StreamRows, RowsKeepTheirStoredPropertiesAndTypeData)
{
    TRSItemProperties source;
    TRSItemProperty *caption = AddRow(source, "Caption", "TCaption", tkLString, "OK");
    caption->SetValue("OK");
    caption->SetHint("shown on the button");
    caption->SetEditMask("^[A-Z]+$");
    caption->SetExpressionMask(true);
    caption->SetTag(7);
    caption->SetReadOnly(true);
    caption->SetEnabled(false);

    TRSItemProperty *font = AddRow(source, "Font", "TFont", tkClass, 0);
    TRSFont bold(font->GetValueFont());
    bold.SetStyle(TRSFont::fsBold);
    font->SetValueFont(bold);
    TRSStringList pick{"a", "b"};
    font->SetPickList(pick);
    font->SetEditStyle(esEllipsis);
    AddRow(*font->Items(), "Size", "Integer", tkInteger, TVariant(int64_t(1) << 40))
        ->SetValue("1099511627776");
    TRSItemProperty *style = AddRow(*font->Items(), "Style", "TFontStyles", tkSet, 1);
    style->SetItemKind(ikSet);
    auto *element = static_cast<TRSItemProperty *>(style->Items()->Add());
    element->SetName("fsBold");
    element->SetItemKind(ikSetElement);
    element->SetValue("True");
    font->SetExpanded(true);

    TRSItemProp *category = source.AddCategory("Layout", true);
    category->SetDefaultCategory(true);
    AddRow(*category->Items(), "Width", "Integer", tkInteger, 1.5)->SetIsAllEqual(false);
    category->SetVisible(false);

    TWriter writer;
    TRSItemPropsFiler::WriteRows(writer, source);
    const std::string data = writer.Data();

    TRSItemProperties target;
    target.Add()->SetName("stale");
    TReader reader(data);
    TRSItemPropsFiler::ReadRows(reader, target);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(Describe(target), Describe(source));
    EXPECT_TRUE(static_cast<TRSItemProperty *>(target.Item(0))->GetReadOnly());
    EXPECT_EQ(target.Item(1)->EditStyle(), esEllipsis);

    for (size_t n = 0; n < data.size(); ++n) {
        TRSItemProperties rows;
        TReader truncated(data.substr(0, n));
        EXPECT_THROW(TRSItemPropsFiler::ReadRows(truncated, rows), EFilerError) << n;
    }
}

TEST(StreamRows, EndlesslyNestedRowsAreRefused)
{
    TWriter w;
    for (int i = 0; i < 1000; ++i) {
        w.WriteValue(vaCollection);
        w.WriteListBegin();
        w.WritePropName("Items");
    }
    TRSItemProperties rows;
    TReader r(w.Data());
    try {
        TRSItemPropsFiler::ReadRows(r, rows);
        FAIL() << "no error";
    } catch (const EFilerError &e) {
        EXPECT_STREQ(e.what(), "Stream error: objects nested too deeply");
    }
}

TEST(StreamRows, InspectorStoresItsRowsAndDesignedControlsRoundTrip)
{
    EnsureDesignerSingletons();
    QWidget parent, otherParent;
    auto *button = new TLXButton(&parent);
    TypInfo::SetStrProp(button, "Name", "Control1");
    TypInfo::SetStrProp(button, "Caption", "Go");
    TypInfo::SetOrdProp(button, "Width", 120);
    TypInfo::SetSetProp(button->Font(), "Style", "[fsBold]");
    static_cast<TStrings *>(TypInfo::GetObjectProp(button, "Comment"))->SetStrings({"one", "two"});

    // The control itself through its published properties: read into a
    // fresh button, it writes the same bytes again.
    auto save = [](TPersistent *object) {
        TWriter w;
        w.WriteListBegin();
        w.WriteProperties(object);
        w.WriteListEnd();
        return w.Data();
    };
    auto *copy = new TLXButton(&otherParent);
    TReader controlReader(save(button));
    controlReader.ReadListBegin();
    controlReader.ReadProperties(copy);
    EXPECT_EQ(save(copy), save(button));
    EXPECT_EQ(TypInfo::GetSetProp(copy->Font(), "Style", true), "[fsBold]");

    // The inspector's rows under "HItems".
    TRSObjectInspector view;
    view.SetComponent(button);
    view.Rebuild();
    TRSCustomObjectInspector &inspector = *view.Inspector();
    ASSERT_GT(inspector.Items()->Count(), 10);
    TWriter writer;
    TRSInspectorFiler(inspector).Write(writer);

    TRSObjectInspector otherView;
    TReader reader(writer.Data());
    TRSInspectorFiler(*otherView.Inspector()).Read(reader);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(Describe(*otherView.Inspector()->Items()), Describe(*inspector.Items()));

    // No rows still stores "HItems", as an empty collection.
    TRSObjectInspector empty;
    TWriter emptyWriter;
    TRSInspectorFiler(*empty.Inspector()).Write(emptyWriter);
    TReader emptyReader(emptyWriter.Data());
    TRSInspectorFiler(*otherView.Inspector()).Read(emptyReader);
    EXPECT_EQ(otherView.Inspector()->Items()->Count(), 0);
    EXPECT_NE(emptyWriter.Data().find("HItems"), std::string::npos);
}

TEST(StreamRows, InspectorStoresItsPresetsWithTheirClassesAndEmptiedLists)
{
    TRSObjectInspector view;
    TRSPropertyPresets &presets = view.Inspector()->Presets();
    auto *ini = PresetOf<TRSTINIStringsPropertyPreset>(presets);
    auto *modal = PresetOf<TRSTModalResultPropertyPreset>(presets);
    ASSERT_TRUE(ini && modal);
    ASSERT_GT(ini->PropNames().Count(), 0);
    ASSERT_TRUE(modal->HasPickList());
    const TRSPresetMatchTypes iniMatch = ini->MatchTypes() | MatchBit(mtPropertyName);
    ini->PropNames().Clear();
    ini->SetMatchTypes(iniMatch);
    ini->SetHint("kept");
    modal->PickList().Clear();
    presets.Items(0)->SetIndex(presets.Count() - 1);

    TWriter writer;
    TRSInspectorFiler(*view.Inspector()).Write(writer);
    TRSObjectInspector other;
    TReader reader(writer.Data());
    TRSInspectorFiler(*other.Inspector()).Read(reader);
    EXPECT_TRUE(reader.AtEnd());
    TRSPropertyPresets &read = other.Inspector()->Presets();
    EXPECT_EQ(Describe(read), Describe(presets));
    EXPECT_EQ(PresetOf<TRSTINIStringsPropertyPreset>(read)->PropNames().Count(), 0);
    EXPECT_EQ(PresetOf<TRSTINIStringsPropertyPreset>(read)->MatchTypes(), iniMatch);
    EXPECT_FALSE(PresetOf<TRSTModalResultPropertyPreset>(read)->HasPickList());

    // Without presets nothing is stored for them, and reading keeps them.
    presets.Clear();
    TWriter bare;
    TRSInspectorFiler(*view.Inspector()).Write(bare);
    EXPECT_EQ(bare.Data().find("HPresets"), std::string::npos);
    TReader bareReader(bare.Data());
    TRSInspectorFiler(*other.Inspector()).Read(bareReader);
    EXPECT_NE(PresetOf<TRSTINIStringsPropertyPreset>(read), nullptr);
}

TEST(StreamRows, AStoredInspectorIsReadAsOneLoadAndItsPresetsAppliedOnceAtTheEnd)
{
    EnsureDesignerSingletons();
    QWidget parent;
    auto *button = new TLXButton(&parent);
    TRSObjectInspector source;
    source.SetComponent(button);
    source.Rebuild();
    TWriter writer;
    TRSInspectorFiler(*source.Inspector()).Write(writer);

    TRSObjectInspector view;
    view.SetComponent(button);
    view.Rebuild();
    TRSCustomObjectInspector &inspector = *view.Inspector();
    int onePass = 0;
    inspector.OnRefreshValue = [&](TRSObject *, TRSItemProperty *) { ++onePass; };
    inspector.ApplyPresets();
    ASSERT_GT(onePass, 0);

    int whileLoading = 0;
    int refreshes = 0;
    inspector.OnRefreshValue = [&](TRSObject *, TRSItemProperty *) {
        ++refreshes;
        whileLoading += inspector.Loading();
    };
    TReader reader(writer.Data());
    TRSInspectorFiler(inspector).Read(reader);
    EXPECT_FALSE(inspector.Loading());
    EXPECT_EQ(whileLoading, 0);
    EXPECT_EQ(refreshes, onePass) << "not once per preset read";
}

TEST(StreamRows, PresetFontsArePublishedAndStored)
{
    TRSObjectInspector view;
    auto *modal = PresetOf<TRSTModalResultPropertyPreset>(view.Inspector()->Presets());
    ASSERT_NE(modal, nullptr);
    const TPropInfo *font = TypInfo::FindPublishedProperty(modal, "Font");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->PropType->Name, "TFont");
    ASSERT_NE(TypInfo::FindPublishedProperty(modal, "ValueFont"), nullptr);
    // Colours read as colour properties do: blue, green, red from the high byte.
    modal->Font().SetColor(0x112233);
    EXPECT_EQ(TypInfo::GetOrdProp(TypInfo::GetObjectProp(modal, "Font"), "Color"), 0x332211);
    modal->ValueFont().SetStyle(TRSFont::fsItalic);
    modal->ValueFont().SetSize(13);

    TWriter writer;
    TRSInspectorFiler(*view.Inspector()).Write(writer);
    TRSObjectInspector other;
    TReader reader(writer.Data());
    TRSInspectorFiler(*other.Inspector()).Read(reader);
    auto *read = PresetOf<TRSTModalResultPropertyPreset>(other.Inspector()->Presets());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Font().Color(), 0x112233u);
    EXPECT_TRUE(read->ValueFont().Italic());
    EXPECT_EQ(read->ValueFont().Size(), 13);
}
