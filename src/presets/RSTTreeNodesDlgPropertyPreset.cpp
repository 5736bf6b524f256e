#include "presets/RSTTreeNodesDlgPropertyPreset.h"

#include "presets/RSPresetDialogs.h"
#include "presets/RSPresetSupport.h"

const TClassInfo *TRSTTreeNodesDlgPropertyPreset::ClassType()
{
    static const TClassInfo *info =
        RSPresetSupport::DescribePresetClass<TRSTTreeNodesDlgPropertyPreset>(
            "TRSTTreeNodesDlgPropertyPreset", TRSPropertyPreset::ClassType());
    return info;
}

TRSTTreeNodesDlgPropertyPreset::TRSTTreeNodesDlgPropertyPreset(TCollection *collection)
    : TRSPropertyPreset(collection)
{
    SetName("TTreeNodes Dialog Property Editor");
    SetTypeKinds(KindBit(tkClass));
    TypeNames().SetStrings({"TTreeNodes"});
    SetEditStyle(esEllipsis);
    // The dialog edits the object that owns the row's TTreeNodes itself.
    OnEditButtonClick = [](TRSObject *sender) {
        RSPresetSupport::EditRowOwner(sender, PresetDialogs().TreeNodesDialog);
    };
    SetMatchTypes(MatchBit(mtPropertyType));
    SetActions(PresetBit(pftEditStyle));
}
