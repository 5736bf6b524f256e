#include "presets/RSTListItemsDlgPropertyPreset.h"

#include "presets/RSPresetDialogs.h"
#include "presets/RSPresetSupport.h"

const TClassInfo *TRSTListItemsDlgPropertyPreset::ClassType()
{
    static const TClassInfo *info =
        RSPresetSupport::DescribePresetClass<TRSTListItemsDlgPropertyPreset>(
            "TRSTListItemsDlgPropertyPreset", TRSPropertyPreset::ClassType());
    return info;
}

TRSTListItemsDlgPropertyPreset::TRSTListItemsDlgPropertyPreset(TCollection *collection)
    : TRSPropertyPreset(collection)
{
    SetName("TListItems Dialog Property Editor");
    SetTypeKinds(KindBit(tkClass));
    TypeNames().SetStrings({"TListItems"});
    SetEditStyle(esEllipsis);
    // The dialog edits the object that owns the row's TListItems itself.
    OnEditButtonClick = [](TRSObject *sender) {
        RSPresetSupport::EditRowOwner(sender, PresetDialogs().ListItemsDialog);
    };
    SetMatchTypes(MatchBit(mtPropertyType));
    SetActions(PresetBit(pftEditStyle));
}
