#include "presets/RSTINIStringsPropertyPreset.h"

#include "presets/RSPresetSupport.h"

const TClassInfo *TRSTINIStringsPropertyPreset::ClassType()
{
    static const TClassInfo *info =
        RSPresetSupport::DescribePresetClass<TRSTINIStringsPropertyPreset>(
            "TRSTINIStringsPropertyPreset", TRSTStringsPropertyPreset::ClassType());
    return info;
}

TRSTINIStringsPropertyPreset::TRSTINIStringsPropertyPreset(TCollection *collection)
    : TRSTStringsPropertyPreset(collection)
{
    SetName("INI TStrings Property Editor");
    PropNames().SetStrings({"Strings"});
    TypeNames().SetStrings({"TStrings", "TStrings"});
    ParentClassNames().SetStrings({"TValueListEditor", "TRSCustomItemListEditor"});
    SetStringsViews(1u << svINI);
    SetMatchTypes(MatchBit(mtPropertyName) | MatchBit(mtPropertyType) | MatchBit(mtClassName));
}
