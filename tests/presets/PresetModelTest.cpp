#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "inspector/RSPropertyPreset.h"
#include "inspector/RSPropertyPresets.h"
#include "presets/RSTFilenamePropertyPreset.h"
#include "presets/RSTINIStringsPropertyPreset.h"
#include "presets/RSTStringsPropertyPreset.h"

#include <QCoreApplication>
#include <QWidget>
#include <gtest/gtest.h>

// The description tables below name only the fields they need.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace
{

// The rules of a preset on the rows of a real inspector bound to a real
// designed button.
class PresetModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // No design-time handler: designed controls keep their own visibility.
        CreateControlsFactory();
        button = ControlsFactory->CreateControlByName("Button", &window);
        AsDesigned(button)->SetName(QStringLiteral("Button1"));
        view = new TRSObjectInspector(&window);
    }
    TRSCustomObjectInspector &I() { return *view->Inspector(); }
    TRSItemProperty *Row(const std::string &path)
    {
        return static_cast<TRSItemProperty *>(I().Items()->FindPath(path));
    }
    void Inspect()
    {
        view->SetComponent(AsDesigned(button));
        view->Rebuild();
    }
    TRSPropertyPreset *AddPlainPreset()
    {
        return I().Presets().AddPresetOfClass(TRSPropertyPreset::ClassType());
    }

    QWidget window;
    QWidget *button = nullptr;
    TRSObjectInspector *view = nullptr;
};

TEST_F(PresetModelTest, SettersKeepActionsMatchTypesAndEditStyleInStep)
{
    TRSPropertyPreset *p = AddPlainPreset();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->MatchTypes(), 0u);
    p->TypeNames().Add("TColor");
    EXPECT_EQ(p->MatchTypes(), MatchBit(mtPropertyType));
    p->TypeNames().Clear();
    EXPECT_EQ(p->MatchTypes(), 0u);
    p->ParentClassNames().Add("TLXButton");
    p->ParentTypeNames().Add("TFont");
    EXPECT_EQ(p->MatchTypes(), MatchBit(mtClassName) | MatchBit(mtParentPropertyType));

    p->SetAlias("Shown");
    p->SetHint("tip");
    p->SetEditMask("000");
    const TRSPropertyPresetTypes three =
        PresetBit(pftAlias) | PresetBit(pftHint) | PresetBit(pftEditMask);
    EXPECT_EQ(p->Actions(), three);
    p->SetHint("");
    EXPECT_EQ(p->Actions(), PresetBit(pftAlias) | PresetBit(pftEditMask));

    // Contradictory requests are ignored as a whole.
    const TRSPropertyPresetTypes before = p->Actions();
    p->SetActions(PresetBit(pftVisible) | PresetBit(pftHidden));
    EXPECT_EQ(p->Actions(), before);
    p->SetActions(PresetBit(pftReadOnly) | PresetBit(pftWritable) | PresetBit(pftHint));
    EXPECT_EQ(p->Actions(), before);

    p->SetActions(0);
    p->PickList().SetStrings({"a", "b"});
    EXPECT_EQ(p->EditStyle(), esPickList);
    EXPECT_EQ(p->Actions(), PresetBit(pftEditStyle));
    p->PickList().Clear();
    EXPECT_EQ(p->EditStyle(), esSimple);
    p->SetEditStyle(esEllipsis);
    p->PickList().Add("c");
    EXPECT_EQ(p->EditStyle(), esEllipsis);

    p->SetActions(0);
    p->ValueFont().SetColor(0x123456);
    EXPECT_EQ(p->Actions(), PresetBit(pftValueFont));
    p->Font().SetStyle(TRSFont::fsItalic);
    EXPECT_EQ(p->Actions(), PresetBit(pftValueFont) | PresetBit(pftFont));
}

TEST_F(PresetModelTest, FontsFollowTheInspectorExceptWhatWasSetOnThem)
{
    TRSPropertyPreset *p = AddPlainPreset();
    p->Font().SetColor(0x008000);
    p->SetActions(0);
    I().Font().SetName("Serif Test");
    I().Font().SetColor(0x0000FF);
    EXPECT_EQ(p->Font().Name(), "Serif Test");
    EXPECT_EQ(p->Font().Color(), 0x008000u);
    I().ValueFont().SetSize(17);
    EXPECT_EQ(p->ValueFont().Size(), 17);
    // Following is no setting of the preset's own.
    EXPECT_EQ(p->Actions(), 0);
}

TEST_F(PresetModelTest, ExclusivePresetMatchesEveryRowButTheNamedOnes)
{
    TRSPropertyPreset *p = AddPlainPreset();
    p->PropNames().Add("Caption");
    p->SetInclusive(false);
    p->SetHint("not the caption");
    Inspect();
    EXPECT_EQ(Row("Caption")->Hint(), "");
    EXPECT_EQ(Row("Width")->Hint(), "not the caption");
    EXPECT_EQ(Row("Font.Size")->Hint(), "not the caption");

    // Without match types an exclusive preset matches every row.
    p->PropNames().Clear();
    EXPECT_EQ(p->MatchTypes(), 0u);
    EXPECT_TRUE(p->MatchesItem(Row("Caption")));
    p->SetInclusive(true);
    EXPECT_FALSE(p->MatchesItem(Row("Caption")));
}

TEST_F(PresetModelTest, TypesMatchThroughClassAncestryAndParentRows)
{
    Inspect();
    TRSPropertyPreset *p = AddPlainPreset();
    p->SetTypeKinds(KindBit(tkClass));
    p->TypeNames().Add("TPersistent");
    EXPECT_TRUE(p->MatchesItem(Row("Font")));
    EXPECT_FALSE(p->MatchesItem(Row("Width")));
    p->SetTypeKinds(KindBit(tkUnknown));
    EXPECT_TRUE(p->MatchesItem(Row("Width")));

    TRSPropertyPreset *q = AddPlainPreset();
    q->SetParentTypeKinds(KindBit(tkClass));
    q->ParentTypeNames().Add("TFont");
    q->ParentPropNames().Add("Font");
    EXPECT_EQ(q->MatchTypes(), MatchBit(mtParentPropertyType) | MatchBit(mtParentPropertyName));
    EXPECT_TRUE(q->MatchesItem(Row("Font.Size")));
    EXPECT_TRUE(q->MatchesItem(Row("Font.Style.fsBold")));
    EXPECT_FALSE(q->MatchesItem(Row("Font")));
    EXPECT_FALSE(q->MatchesItem(Row("Width")));

    TRSPropertyPreset *r = AddPlainPreset();
    r->ParentClassNames().Add("twincontrol");
    EXPECT_TRUE(r->MatchesItem(Row("Width")));
    r->ParentClassNames().SetStrings({"TLXLabel"});
    EXPECT_FALSE(r->MatchesItem(Row("Width")));
}

TEST_F(PresetModelTest, MatchAndCustomHandlersHaveTheLastWord)
{
    Inspect();
    TRSPropertyPreset *p = AddPlainPreset();
    p->PropNames().Add("Width");
    std::vector<std::string> asked;
    I().OnMatchPreset = [&](TRSObject *sender, TRSPropertyPreset *preset, TRSItemProperty *item,
                            bool &result) {
        EXPECT_EQ(sender, &I());
        if (preset != p)
            return;
        asked.push_back(item->Name() + (result ? "+" : "-"));
        result = result || item->Name() == "Height";
    };
    std::vector<std::string> custom;
    I().OnCustomPreset = [&](TRSObject *, TRSPropertyPreset *preset, TRSItemProperty *item) {
        if (preset == p)
            custom.push_back(item->GetFullName());
    };
    p->SetActions(PresetBit(pftCustom));
    EXPECT_NE(std::find(asked.begin(), asked.end(), "Width+"), asked.end());
    EXPECT_NE(std::find(asked.begin(), asked.end(), "Caption-"), asked.end());
    EXPECT_EQ(custom, (std::vector<std::string>{"Font.Height", "Height", "Width"}));

    // The preset's own handlers replace the inspector's.
    p->OnMatchPreset = [](TRSObject *, TRSItemProperty *item, bool &result) {
        result = item->Name() == "Left";
    };
    custom.clear();
    std::vector<std::string> own;
    p->OnCustomPreset = [&](TRSObject *sender, TRSItemProperty *item) {
        EXPECT_EQ(sender, p);
        own.push_back(item->Name());
    };
    I().ApplyPresets();
    EXPECT_TRUE(custom.empty());
    EXPECT_EQ(own, std::vector<std::string>{"Left"});
}

TEST_F(PresetModelTest, LaterPresetsOverrideEarlierOnesAndPresetChangesReapply)
{
    Inspect();
    TRSPropertyPreset *first = AddPlainPreset();
    first->PropNames().Add("Caption");
    first->SetHint("first");
    first->SetActions(first->Actions() | PresetBit(pftReadOnly));
    TRSPropertyPreset *second = AddPlainPreset();
    second->PropNames().Add("Caption");
    second->SetHint("second");
    EXPECT_EQ(Row("Caption")->Hint(), "second");
    EXPECT_TRUE(Row("Caption")->GetReadOnly());
    second->SetActive(false);
    view->Rebuild();
    EXPECT_EQ(Row("Caption")->Hint(), "first");

    // An alias renames the row, which is then found under its new name.
    first->SetAlias("Text shown");
    EXPECT_NE(Row("Text shown"), nullptr);
    EXPECT_EQ(Row("Text shown")->PropName(), "Caption");
}

TEST_F(PresetModelTest, CopyingTakesSettingsButDropsAnEmptyPickList)
{
    auto *source = static_cast<TRSTFilenamePropertyPreset *>(
        I().Presets().AddPresetOfClass(TRSTFilenamePropertyPreset::ClassType()));
    source->SetFilter("Text|*.txt");
    source->SetInitialDir("/tmp/files/");
    EXPECT_EQ(source->InitialDir(), "/tmp/files");
    source->SetInitialDir("C:\\");
    EXPECT_EQ(source->InitialDir(), "C:\\");
    source->SetInclusive(false);
    auto *copy = static_cast<TRSTFilenamePropertyPreset *>(
        I().Presets().AddPresetOfClass(TRSTFilenamePropertyPreset::ClassType()));
    copy->PickList().Add("stale");
    copy->Assign(*source);
    EXPECT_EQ(copy->Filter(), "Text|*.txt");
    EXPECT_EQ(copy->InitialDir(), "C:\\");
    EXPECT_FALSE(copy->Inclusive());
    EXPECT_EQ(copy->MatchTypes(), source->MatchTypes());
    EXPECT_EQ(copy->Actions(), source->Actions());
    EXPECT_EQ(copy->TypeNames().Strings(), std::vector<std::string>{"TFilename"});
    EXPECT_FALSE(copy->HasPickList());
    EXPECT_EQ(copy->DisplayName(), "TFilename Dialog Property editor");
    copy->SetName("");
    EXPECT_EQ(copy->DisplayName(), "TRSTFilenamePropertyPreset");
}

TEST_F(PresetModelTest, EveryInspectorHoldsTheRegisteredPresetsInOrder)
{
    const std::vector<std::string> expected = {
        "TRSTComponentPropertyPreset",    "TRSTParentComponentPropertyPreset",
        "TRSTFontNamePropertyPreset",     "TRSTColorPropertyPreset",
        "TRSTCursorPropertyPreset",       "TRSTFontDlgPropertyPreset",
        "TRSTStringsPropertyPreset",      "TRSTPicturePropertyPreset",
        "TRSTCollectionPropertyPreset",   "TRSTDatePropertyPreset",
        "TRSTTimePropertyPreset",         "TRSTDateTimePropertyPreset",
        "TRSTFilenamePropertyPreset",     "TRSTModalResultPropertyPreset",
        "TRSTINIStringsPropertyPreset",   "TRSTListItemsDlgPropertyPreset",
        "TRSTTreeNodesDlgPropertyPreset", "TRSFilenamePropPropertyPreset"};
    std::vector<std::string> held;
    for (int i = 0; i < I().Presets().Count(); ++i)
        held.push_back(TypInfo::ClassInfoOf(I().Presets().Item(i))->Name);
    EXPECT_EQ(held, expected);
    EXPECT_EQ(I().Presets().IndexOfPresetClass(TRSTStringsPropertyPreset::ClassType()), 6);
    EXPECT_EQ(I().Presets().IndexOfPresetClass(TRSPropertyPreset::ClassType()), -1);
    // Presets can be made by their registered names.
    EXPECT_EQ(TypInfo::FindRegisteredClass("trstcolorpropertypreset"),
              TypInfo::ClassInfoOf(I().Presets().Item(3)));

    // A derived class registers its ancestors up to the first one present;
    // unregistering takes them out again while they are there.
    const std::vector<TRSPropertyPresetClass> all = RegisteredPropertyPresets();
    UnregisterPropertyPresets({TRSTINIStringsPropertyPreset::ClassType()});
    std::vector<TRSPropertyPresetClass> left = RegisteredPropertyPresets();
    EXPECT_EQ(left.size(), all.size() - 2);
    EXPECT_EQ(std::count(left.begin(), left.end(), TRSTStringsPropertyPreset::ClassType()), 0);
    RegisterPropertyPreset(TRSTINIStringsPropertyPreset::ClassType());
    left = RegisteredPropertyPresets();
    ASSERT_EQ(left.size(), all.size());
    EXPECT_EQ(left[left.size() - 2], TRSTINIStringsPropertyPreset::ClassType());
    EXPECT_EQ(left.back(), TRSTStringsPropertyPreset::ClassType());
    // Back in the original order for the other tests.
    for (TRSPropertyPresetClass cls : all)
        UnregisterPropertyPreset(cls);
    EXPECT_TRUE(RegisteredPropertyPresets().empty());
    for (TRSPropertyPresetClass cls : all)
        RegisterPropertyPreset(cls);
    EXPECT_EQ(RegisteredPropertyPresets(), all);
}

TEST_F(PresetModelTest, APresetIsInspectedThroughItsPublishedProperties)
{
    TRSPropertyPreset *p = I().Presets().Item(6); // the string-list preset
    view->SetComponent(p);
    view->Rebuild();
    EXPECT_EQ(Row("Name")->Value(), "TStrings Property Editor");
    EXPECT_EQ(Row("Actions")->Value(), "[pftEditStyle]");
    EXPECT_EQ(Row("MatchTypes")->Value(), "[mtPropertyType]");
    EXPECT_EQ(Row("TypeKinds")->Value(), "[tkClass]");
    EXPECT_EQ(Row("EditStyle")->Value(), "esEllipsis");
    EXPECT_EQ(Row("StringsViews")->Value(), "[svNormal]");
    // Writing a set through its element row goes through the setter rules.
    I().SetPropText(p, Row("Actions"), "pftVisible,pftHidden");
    EXPECT_EQ(p->Actions(), PresetBit(pftEditStyle));
    I().SetPropText(p, Row("Name"), "Lines");
    EXPECT_EQ(p->DisplayName(), "Lines");
}

} // namespace
