#include "presets/RSTFontNamePropertyPreset.h"

#include "platform/CodePage.h"
#include "presets/RSPresetSupport.h"
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
        // A family whose name the code page cannot hold could not be stored.
        for (const QString &family : QFontDatabase::families())
            if (CodePage::CanStore(family))
                values->Add(CodePage::FromQString(family));
        values->EndUpdate();
    };
    SetMatchTypes(MatchBit(mtPropertyType));
    SetActions(PresetBit(pftEditStyle));
}
