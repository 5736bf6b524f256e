// The inspector keeps its rows when it turns to another control of the same
// kind and reads only their values again. Whatever it keeps, the rows must
// be exactly those a new scan of that control would make.
#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "controls/Strings.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "inspector/RSPropertyPreset.h"
#include "inspector/RSPropertyPresets.h"
#include "persistence/LayoutInspector.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "reflection/TypInfo.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace
{

// Everything a user or a caller can see of the rows.
std::vector<std::string> Snapshot(TRSCustomObjectInspector &inspector)
{
    std::vector<std::string> lines;
    for (TRSItemProp *row : inspector.AllRows()) {
        auto *p = dynamic_cast<TRSItemProperty *>(row);
        std::string line = row->GetFullName() + "=" + row->Values()->Text() +
                           " ro=" + std::to_string(row->GetReadOnly()) +
                           " vis=" + std::to_string(row->GetVisible()) +
                           " style=" + std::to_string(row->EditStyle()) +
                           " exp=" + std::to_string(row->Expanded()) +
                           " pick=" + std::to_string(row->GetPickList()->Count()) +
                           " hint=" + row->Hint();
        if (p)
            line += " kind=" + std::to_string(p->ItemKind()) +
                    " equal=" + std::to_string(p->IsAllEqual()) +
                    " stored=" + p->StoredValue(0).AsString();
        lines.push_back(line);
    }
    lines.push_back("shown=" + std::to_string(inspector.DisplayedRows().size()));
    return lines;
}

class RowReuseTest : public ::testing::Test
{
protected:
    void SetUp() override { CreateControlsFactory(); }
    QWidget *Make(const char *kind) { return ControlsFactory->CreateControlByName(kind, &surface); }
    static void Show(TRSCustomObjectInspector &inspector, QWidget *control)
    {
        inspector.SetComponent(control ? AsDesigned(control) : nullptr);
        inspector.Rebuild();
    }
    // The rows a new inspector, set up alike, makes for control.
    std::vector<std::string> Fresh(QWidget *control)
    {
        TRSObjectInspector other;
        setUp(*other.Inspector());
        Show(*other.Inspector(), control);
        return Snapshot(*other.Inspector());
    }
    TRSCustomObjectInspector &I() { return *view.Inspector(); }

    QWidget surface;
    TRSObjectInspector view;
    std::function<void(TRSCustomObjectInspector &)> setUp = [](TRSCustomObjectInspector &) {};
};

TEST_F(RowReuseTest, AnotherControlOfTheSameKindGetsTheRowsANewScanWouldMake)
{
    for (const bool layoutSetUp : {false, true}) {
        SCOPED_TRACE(layoutSetUp ? "designer's set-up" : "plain inspector");
        if (layoutSetUp) {
            setUp = ConfigureLayoutInspector;
            ConfigureLayoutInspector(I());
        }
        QWidget *first = Make("EditBox");
        QWidget *second = Make("EditBox");
        TPersistent *s = AsDesigned(second);
        TypInfo::WriteFromVariant(s, "Text", TVariant(std::string("Second")));
        TypInfo::WriteFromVariant(s, "Width", TVariant(int64_t(123)));
        TypInfo::WriteFromVariant(s, "Color", TVariant(int64_t(0x0000FF)));
        TypInfo::WriteFromVariant(TypInfo::GetObjectProp(s, "Font"), "Style", TVariant(int64_t(1)));

        Show(I(), first);
        TRSItemProp *text = I().Items()->FindPath("Text");
        ASSERT_NE(text, nullptr);
        I().Items()->FindPath("Font")->Expand();
        Show(I(), second);
        // The same row object, now showing the second edit box.
        EXPECT_EQ(I().Items()->FindPath("Text"), text);
        EXPECT_EQ(text->Value(), "Second");
        EXPECT_EQ(I().Items()->FindPath("Color")->Value(), "clRed");
        EXPECT_EQ(I().Items()->FindPath("Font.Style.fsBold")->Value(), "True");
        EXPECT_EQ(Snapshot(I()), Fresh(second));

        // Written through the kept row, the value reaches the second edit box
        // only.
        TRSItemProp *width = I().Items()->FindPath("Width");
        width->SetValue("77");
        static_cast<TRSItemProperty *>(width)->Apply();
        EXPECT_EQ(second->width(), 77);
        EXPECT_NE(first->width(), 77);

        // Back to the first, then nothing, then the first again.
        Show(I(), first);
        EXPECT_EQ(Snapshot(I()), Fresh(first));
        Show(I(), nullptr);
        EXPECT_EQ(I().Items()->Count(), 0);
        Show(I(), first);
        EXPECT_EQ(Snapshot(I()), Fresh(first));

        // Another kind is scanned anew.
        QWidget *button = Make("Button");
        Show(I(), button);
        EXPECT_EQ(Snapshot(I()), Fresh(button));
        Show(I(), second);
        EXPECT_EQ(Snapshot(I()), Fresh(second));
    }
}

TEST_F(RowReuseTest, RowsPutAsideOutliveTheControlsTheyShowed)
{
    QWidget *first = Make("EditBox");
    QWidget *second = Make("EditBox");
    Show(I(), first);
    Show(I(), Make("Button"));
    delete first;
    Show(I(), second);
    EXPECT_EQ(Snapshot(I()), Fresh(second));
}

TEST_F(RowReuseTest, RowsChangedSinceTheScanOrChangedSettingsAreMadeAnew)
{
    QWidget *first = Make("EditBox");
    QWidget *second = Make("EditBox");
    TypInfo::WriteFromVariant(AsDesigned(second), "Color", TVariant(int64_t(0x0000FF)));
    Show(I(), first);

    // A row renamed or hidden by a caller does not survive a rebuild.
    I().Items()->FindPath("Text")->SetName("Title");
    I().Items()->FindPath("Hint")->SetVisible(false);
    I().Rebuild();
    EXPECT_EQ(I().Items()->FindPath("Title"), nullptr);
    EXPECT_EQ(Snapshot(I()), Fresh(first));
    I().Items()->FindPath("Width")->GetPickList()->Add("1");
    Show(I(), second);
    EXPECT_EQ(Snapshot(I()), Fresh(second));

    // Settings and presets that shape rows.
    TRSStringList filters{"Text"};
    I().SetFilters(filters);
    Show(I(), first);
    EXPECT_EQ(I().Items()->FindPath("Text"), nullptr);
    I().Presets().Delete(
        I().Presets().IndexOfPresetClass(TypInfo::FindRegisteredClass("TRSTColorPropertyPreset")));
    Show(I(), second);
    // Without the colour preset the colour shows as a number.
    EXPECT_EQ(I().Items()->FindPath("Color")->Value(), "255");
    setUp = [](TRSCustomObjectInspector &inspector) {
        TRSStringList f{"Text"};
        inspector.SetFilters(f);
        inspector.Presets().Delete(inspector.Presets().IndexOfPresetClass(
            TypInfo::FindRegisteredClass("TRSTColorPropertyPreset")));
    };
    EXPECT_EQ(Snapshot(I()), Fresh(second));
}

TEST_F(RowReuseTest, LinesOfAStringListFollowEachControl)
{
    setUp = [](TRSCustomObjectInspector &inspector) { inspector.SetInplaceTStrings(true); };
    setUp(I());
    QWidget *empty = Make("Memo");
    QWidget *two = Make("Memo");
    QWidget *alsoEmpty = Make("Memo");
    auto *lines = static_cast<TStrings *>(TypInfo::GetObjectProp(AsDesigned(two), "Lines"));
    lines->SetStrings({"one", "two"});
    for (QWidget *memo : {empty, two, alsoEmpty, empty, two}) {
        Show(I(), memo);
        EXPECT_EQ(Snapshot(I()), Fresh(memo));
    }
}

} // namespace
