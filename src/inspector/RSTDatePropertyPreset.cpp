#include "inspector/RSTDatePropertyPreset.h"

#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSPresetDialogs.h"
#include "inspector/RSPresetSupport.h"

#include <QCursor>

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
        TRSItemProperty *row = SenderRow(sender);
        const auto &editor = PresetDialogs().DateEditor;
        TRSCustomObjectInspector *inspector = row ? row->Inspector() : nullptr;
        if (!inspector || !editor)
            return;
        // The property itself: the stored value is not refreshed while
        // the preset supplies the row's text.
        const double value = row->GetFloatValue(-1);
        const auto chosen = editor(DateTimeToQt(value), QCursor::pos(), false);
        if (!chosen)
            return;
        row->SetValue(DateText(DateTimeFromQt(*chosen)));
        row->Validate();
    };
    SetMatchTypes(MatchBit(mtPropertyType));
    SetActions(PresetBit(pftEditStyle) | PresetBit(pftEditMask) | PresetBit(pftValidate));
}
