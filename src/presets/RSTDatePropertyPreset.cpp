#include "presets/RSTDatePropertyPreset.h"

#include "presets/RSPresetSupport.h"

using namespace RSPresetSupport;

const TClassInfo *TRSTDatePropertyPreset::ClassType()
{
    static const TClassInfo *info = DescribePresetClass<TRSTDatePropertyPreset>(
        "TRSTDatePropertyPreset", TRSPropertyPreset::ClassType());
    return info;
}

TRSTDatePropertyPreset::TRSTDatePropertyPreset(TCollection *collection)
    : TRSPropertyPreset(collection)
{
    SetName("TDate Property Editor");
    SetTypeKinds(KindBit(tkFloat));
    TypeNames().SetStrings({"TDate"});
    SetEditStyle(esEllipsis);
    SetEditMask("!90/00/0000;1;_");
    OnGetProperty = [](TRSItemProperty *, TPersistent *instance, const std::string &propName,
                       std::string &value) {
        value = instance ? DateText(TypInfo::GetFloatProp(instance, propName)) : std::string();
    };
    OnSetProperty = [](TRSItemProperty *, TPersistent *instance, const std::string &propName,
                       const std::string &value) {
        const double date = ParseDate(value);
        if (instance)
            TypInfo::SetFloatProp(instance, propName, date);
    };
    OnEditButtonClick = [](TRSObject *sender) {
        EditRowDate(sender, false, [](double, double chosen) { return DateText(chosen); });
    };
    SetMatchTypes(MatchBit(mtPropertyType));
    SetActions(PresetBit(pftEditStyle) | PresetBit(pftEditMask) | PresetBit(pftValidate));
}
