#include "presets/RSTFontDlgPropertyPreset.h"

#include "controls/Font.h"
#include "presets/RSPresetDialogs.h"
#include "presets/RSPresetSupport.h"

const TClassInfo *TRSTFontDlgPropertyPreset::ClassType()
{
    static const TClassInfo *info = RSPresetSupport::DescribePresetClass<TRSTFontDlgPropertyPreset>(
        "TRSTFontDlgPropertyPreset", TRSPropertyPreset::ClassType());
    return info;
}

TRSTFontDlgPropertyPreset::TRSTFontDlgPropertyPreset(TCollection *collection)
    : TRSPropertyPreset(collection)
{
    SetName("Font Editor Dialog Property Editor");
    SetTypeKinds(KindBit(tkClass));
    TypeNames().SetStrings({"TFont"});
    SetEditStyle(esEllipsis);
    OnEditButtonClick = [](TRSObject *sender) {
        TRSItemProperty *row = RSPresetSupport::SenderRow(sender);
        const auto &dialog = PresetDialogs().FontDialog;
        if (!row || !dialog)
            return;
        auto *font = dynamic_cast<TFont *>(row->GetObjectValue(-1));
        if (!font)
            return;
        TFont chosen;
        chosen.Assign(*font);
        if (dialog(chosen))
            row->SetObjectValue(&chosen, -1);
    };
    SetMatchTypes(MatchBit(mtPropertyType));
    SetActions(PresetBit(pftEditStyle));
}
