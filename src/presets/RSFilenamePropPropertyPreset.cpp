#include "presets/RSFilenamePropPropertyPreset.h"

#include "presets/RSPresetSupport.h"

const TClassInfo *TRSFilenamePropPropertyPreset::ClassType()
{
    static const TClassInfo *info =
        RSPresetSupport::DescribePresetClass<TRSFilenamePropPropertyPreset>(
            "TRSFilenamePropPropertyPreset", TRSTFilenamePropertyPreset::ClassType());
    return info;
}

TRSFilenamePropPropertyPreset::TRSFilenamePropPropertyPreset(TCollection *collection)
    : TRSTFilenamePropertyPreset(collection)
{
    SetName("Filename property Dialog Property Editor");
    PropNames().SetStrings({"filename"});
    SetTypeKinds(KindBit(tkLString));
    TypeNames().Clear();
    SetMatchTypes(MatchBit(mtPropertyName) | MatchBit(mtPropertyType));
}
