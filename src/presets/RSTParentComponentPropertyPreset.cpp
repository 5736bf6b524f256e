#include "presets/RSTParentComponentPropertyPreset.h"

#include "presets/RSPresetSupport.h"

const TClassInfo *TRSTParentComponentPropertyPreset::ClassType()
{
    static const TClassInfo *info =
        RSPresetSupport::DescribePresetClass<TRSTParentComponentPropertyPreset>(
            "TRSTParentComponentPropertyPreset", TRSPropertyPreset::ClassType());
    return info;
}

TRSTParentComponentPropertyPreset::TRSTParentComponentPropertyPreset(TCollection *collection)
    : TRSPropertyPreset(collection)
{
    SetName("TComponent Subcomponent Properties Font");
    SetParentTypeKinds(KindBit(tkClass));
    ParentTypeNames().SetStrings({"TComponent"});
    Font().SetColor(0x008000); // green
    SetMatchTypes(MatchBit(mtParentPropertyType));
    SetActions(PresetBit(pftFont));
}
