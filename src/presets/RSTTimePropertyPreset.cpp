#include "presets/RSTTimePropertyPreset.h"

#include "presets/RSPresetSupport.h"

using namespace RSPresetSupport;

const TClassInfo *TRSTTimePropertyPreset::ClassType()
{
    static const TClassInfo *info = DescribePresetClass<TRSTTimePropertyPreset>(
        "TRSTTimePropertyPreset", TRSPropertyPreset::ClassType());
    return info;
}

TRSTTimePropertyPreset::TRSTTimePropertyPreset(TCollection *collection)
    : TRSPropertyPreset(collection)
{
    SetName("TTime Property Editor");
    SetTypeKinds(KindBit(tkFloat));
    TypeNames().SetStrings({"TTime"});
    SetEditMask("!90:00:00 >LL;1;_");
    OnGetProperty = [](TRSItemProperty *, TPersistent *instance, const std::string &propName,
                       std::string &value) {
        value = instance ? TimeText(TypInfo::GetFloatProp(instance, propName)) : std::string();
    };
    OnSetProperty = [](TRSItemProperty *, TPersistent *instance, const std::string &propName,
                       const std::string &value) {
        const double time = ParseTime(value);
        if (instance)
            TypInfo::SetFloatProp(instance, propName, time);
    };
    SetMatchTypes(MatchBit(mtPropertyType));
    SetActions(PresetBit(pftEditMask) | PresetBit(pftValidate));
}
