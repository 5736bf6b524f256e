#include "presets/RSTDateTimePropertyPreset.h"

#include "presets/RSPresetSupport.h"

#include <cmath>

using namespace RSPresetSupport;

const TClassInfo *TRSTDateTimePropertyPreset::ClassType()
{
    static const TClassInfo *info = DescribePresetClass<TRSTDateTimePropertyPreset>(
        "TRSTDateTimePropertyPreset", TRSPropertyPreset::ClassType());
    return info;
}

TRSTDateTimePropertyPreset::TRSTDateTimePropertyPreset(TCollection *collection)
    : TRSPropertyPreset(collection)
{
    SetName("TDateTime Property Editor");
    SetTypeKinds(KindBit(tkFloat));
    TypeNames().SetStrings({"TDateTime"});
    SetEditStyle(esEllipsis);
    SetEditMask("!90/00/0000 90:00:00 >LL;1;_");
    OnGetProperty = [](TRSItemProperty *, TPersistent *instance, const std::string &propName,
                       std::string &value) {
        value = instance ? DateTimeText(TypInfo::GetFloatProp(instance, propName)) : std::string();
    };
    OnSetProperty = [](TRSItemProperty *, TPersistent *instance, const std::string &propName,
                       const std::string &value) {
        const double dateTime = ParseDateTime(value);
        if (instance)
            TypInfo::SetFloatProp(instance, propName, dateTime);
    };
    OnEditButtonClick = [](TRSObject *sender) {
        EditRowDate(sender, true, [](double value, double chosen) {
            // The chosen day with the time of day the value had.
            const double day = std::trunc(chosen);
            const double time = std::fabs(value - std::trunc(value));
            return DateTimeText(day < 0 ? day - time : day + time);
        });
    };
    SetMatchTypes(MatchBit(mtPropertyType));
    SetActions(PresetBit(pftEditStyle) | PresetBit(pftEditMask) | PresetBit(pftValidate));
}
