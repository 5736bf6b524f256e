#include "editors/DesignerRegistries.h"
#include "controls/published/DesignerClasses.h"
#include "editors/ItemsViewClasses.h"
#include "inspector/ItemListEditorClasses.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "inspector/RSPropertyPresets.h"
#include "platform/Exception.h"
#include "presets/RSDefaultPropertyPresets.h"
#include "reflection/TypInfo.h"

#include <gtest/gtest.h>

// The test's main registered as the programs do: before anything is made,
// every class a designer, an inspector or a dialog looks up is there, and
// none of the registrations runs a second time.
TEST(DesignerRegistries, EveryClassIsThereBeforeUseAndRegistersOnlyOnce)
{
    for (const char *name : {"TPersistent", "TLXLabel", "TLXStringGrid", "TRSItemListEditor",
                             "TRSCustomObjectInspector", "TListView", "TTreeView", "TNodeListItem",
                             "TRSTColorPropertyPreset"})
        EXPECT_NE(TypInfo::FindRegisteredClass(name), nullptr) << name;
    const TClassInfo *label = TypInfo::FindRegisteredClass("TLXLabel");
    EXPECT_THROW(RegisterDesignerClasses(), EProgramFault);
    EXPECT_THROW(RegisterItemListEditorClasses(), EProgramFault);
    EXPECT_THROW(RegisterItemsViewClasses(), EProgramFault);
    EXPECT_EQ(TypInfo::FindRegisteredClass("TLXLabel"), label);
}

// The presets leave at the end of a run, so an inspector made then holds
// none; registered again, they come back once each, in their order.
TEST(DesignerRegistries, PresetsLeaveAtTheEndAndComeBackInTheirOrder)
{
    const std::vector<TRSPropertyPresetClass> registered = RegisteredPropertyPresets();
    ASSERT_GE(registered.size(), 2u);
    UnregisterDesignerRegistries();
    EXPECT_TRUE(RegisteredPropertyPresets().empty());
    {
        TRSObjectInspector bare;
        EXPECT_EQ(bare.Inspector()->Presets().Count(), 0);
    }
    EXPECT_NE(TypInfo::FindRegisteredClass("TLXLabel"), nullptr);
    RegisterDefaultPropertyPresets();
    RegisterDefaultPropertyPresets();
    EXPECT_EQ(RegisteredPropertyPresets(), registered);
    TRSObjectInspector view;
    EXPECT_EQ(view.Inspector()->Presets().Count(), static_cast<int>(registered.size()));
}
