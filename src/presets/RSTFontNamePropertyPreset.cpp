#include "presets/RSTFontNamePropertyPreset.h"

#include "presets/RSPresetSupport.h"
#include "platform/CodePage.h"
#include "propgrid/RSStringList.h"

#include <QFontDatabase>

const TClassInfo *TRSTFontNamePropertyPreset::ClassType()
{
    static const TClassInfo *info =
        RSPresetSupport::DescribePresetClass<TRSTFontNamePropertyPreset>(
            "TRSTFontNamePropertyPreset", TRSPropertyPreset::ClassType());
    return info;
}

TRSTFontNamePropertyPreset::TRSTFontNamePropertyPreset(TCollection *collection)
    : TRSPropertyPreset(collection)
{
    SetName("Font Drop Down List Property Editor");
    SetTypeKinds(KindBit(tkString) | KindBit(tkLString) | KindBit(tkWString));
    TypeNames().SetStrings({"TFontName"});
    SetEditStyle(esPickList);
    OnGetPickList = [](TRSObject *, const std::string &, TRSStringList *values) {
        values->BeginUpdate();
        values->Clear();
        for (const QString &family : QFontDatabase::families())
            values->Add(CodePage::FromQString(family));
        values->EndUpdate();
    };
    SetMatchTypes(MatchBit(mtPropertyType));
    SetActions(PresetBit(pftEditStyle));
}
