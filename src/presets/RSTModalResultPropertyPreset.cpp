#include "presets/RSTModalResultPropertyPreset.h"

#include "presets/RSPresetSupport.h"
#include "reflection/StrUtils.h"

const TClassInfo *TRSTModalResultPropertyPreset::ClassType()
{
    static const TClassInfo *info =
        RSPresetSupport::DescribePresetClass<TRSTModalResultPropertyPreset>(
            "TRSTModalResultPropertyPreset", TRSPropertyPreset::ClassType());
    return info;
}

TRSTModalResultPropertyPreset::TRSTModalResultPropertyPreset(TCollection *collection)
    : TRSPropertyPreset(collection)
{
    SetName("TModalResult Property Editor");
    SetTypeKinds(KindBit(tkInteger));
    TypeNames().SetStrings({"TModalResult"});
    // The position of a name is its value.
    PickList().SetStrings({"mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore", "mrYes",
                           "mrNo", "mrAll", "mrNoToAll", "mrYesToAll"});
    SetEditStyle(esPickList);
    OnGetProperty = [this](TRSItemProperty *, TPersistent *instance, const std::string &propName,
                           std::string &value) {
        if (!instance) {
            value.clear();
            return;
        }
        const int64_t result = TypInfo::GetOrdProp(instance, propName);
        const std::vector<std::string> &names = PickListLines();
        value = result >= 0 && result < static_cast<int64_t>(names.size())
                    ? names[static_cast<size_t>(result)]
                    : std::to_string(result);
    };
    OnSetProperty = [this](TRSItemProperty *, TPersistent *instance, const std::string &propName,
                           const std::string &value) {
        const std::vector<std::string> &names = PickListLines();
        for (size_t i = 0; i < names.size(); ++i) {
            if (StrUtils::SameText(names[i], value)) {
                if (instance)
                    TypInfo::SetOrdProp(instance, propName, static_cast<int64_t>(i));
                return;
            }
        }
    };
    SetMatchTypes(MatchBit(mtPropertyType));
    SetActions(PresetBit(pftEditStyle) | PresetBit(pftValidate));
}
