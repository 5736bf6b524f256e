#include "presets/RSTColorPropertyPreset.h"

#include "presets/RSPresetSupport.h"
#include "reflection/StrUtils.h"

#include <cstdio>

const TClassInfo *TRSTColorPropertyPreset::ClassType()
{
    static const TClassInfo *info = RSPresetSupport::DescribePresetClass<TRSTColorPropertyPreset>(
        "TRSTColorPropertyPreset", TRSPropertyPreset::ClassType());
    return info;
}

const std::vector<TRSTColorPropertyPreset::TColorName> &TRSTColorPropertyPreset::ColorTable()
{
    // System colours are 0xFF000000 plus their index.
    static const std::vector<TColorName> table = {
        {"clBlack", 0x00000000},
        {"clMaroon", 0x00000080},
        {"clGreen", 0x00008000},
        {"clOlive", 0x00008080},
        {"clNavy", 0x00800000},
        {"clPurple", 0x00800080},
        {"clTeal", 0x00808000},
        {"clGray", 0x00808080},
        {"clSilver", 0x00C0C0C0},
        {"clRed", 0x000000FF},
        {"clLime", 0x0000FF00},
        {"clYellow", 0x0000FFFF},
        {"clBlue", 0x00FF0000},
        {"clFuchsia", 0x00FF00FF},
        {"clAqua", 0x00FFFF00},
        {"clWhite", 0x00FFFFFF},
        {"clMoneyGreen", 0x00C0DCC0},
        {"clSkyBlue", 0x00F0CAA6},
        {"clCream", 0x00F0FBFF},
        {"clMedGray", 0x00A4A0A0},
        {"clActiveBorder", int32_t(0xFF00000A)},
        {"clActiveCaption", int32_t(0xFF000002)},
        {"clAppWorkSpace", int32_t(0xFF00000C)},
        {"clBackground", int32_t(0xFF000001)},
        {"clBtnFace", int32_t(0xFF00000F)},
        {"clBtnHighlight", int32_t(0xFF000014)},
        {"clBtnShadow", int32_t(0xFF000010)},
        {"clBtnText", int32_t(0xFF000012)},
        {"clCaptionText", int32_t(0xFF000009)},
        {"clDefault", 0x20000000},
        {"clGradientActiveCaption", int32_t(0xFF00001B)},
        {"clGradientInactiveCaption", int32_t(0xFF00001C)},
        {"clGrayText", int32_t(0xFF000011)},
        {"clHighlight", int32_t(0xFF00000D)},
        {"clHighlightText", int32_t(0xFF00000E)},
        {"clHotLight", int32_t(0xFF00001A)},
        {"clInactiveBorder", int32_t(0xFF00000B)},
        {"clInactiveCaption", int32_t(0xFF000003)},
        {"clInactiveCaptionText", int32_t(0xFF000013)},
        {"clInfoBk", int32_t(0xFF000018)},
        {"clInfoText", int32_t(0xFF000017)},
        {"clMenu", int32_t(0xFF000004)},
        {"clMenuBar", int32_t(0xFF00001E)},
        {"clMenuHighlight", int32_t(0xFF00001D)},
        {"clMenuText", int32_t(0xFF000007)},
        {"clNone", 0x1FFFFFFF},
        {"clScrollBar", int32_t(0xFF000000)},
        {"cl3DDkShadow", int32_t(0xFF000015)},
        {"cl3DLight", int32_t(0xFF000016)},
        {"clWindow", int32_t(0xFF000005)},
        {"clWindowFrame", int32_t(0xFF000006)},
        {"clWindowText", int32_t(0xFF000008)},
    };
    return table;
}

std::string TRSTColorPropertyPreset::ColorToText(int32_t color)
{
    for (const TColorName &entry : ColorTable())
        if (entry.Value == color)
            return entry.Name;
    char text[10];
    std::snprintf(text, sizeof text, "$%08X", static_cast<uint32_t>(color));
    return text;
}

int32_t TRSTColorPropertyPreset::TextToColor(const std::string &text)
{
    for (const TColorName &entry : ColorTable())
        if (StrUtils::SameText(entry.Name, text))
            return entry.Value;
    return RSPresetSupport::ParseInt32Text(text);
}

TRSTColorPropertyPreset::TRSTColorPropertyPreset(TCollection *collection)
    : TRSPropertyPreset(collection)
{
    SetName("Color Drop Down List Property Editor");
    SetTypeKinds(KindBit(tkInteger));
    TypeNames().SetStrings({"TColor"});
    std::vector<std::string> names = PickList().Strings();
    for (const TColorName &entry : ColorTable())
        names.push_back(entry.Name);
    PickList().SetStrings(names);
    SetEditStyle(esPickList);
    OnGetProperty = [](TRSItemProperty *, TPersistent *instance, const std::string &propName,
                       std::string &value) {
        value = instance
                    ? ColorToText(static_cast<int32_t>(TypInfo::GetOrdProp(instance, propName)))
                    : std::string();
    };
    OnSetProperty = [](TRSItemProperty *, TPersistent *instance, const std::string &propName,
                       const std::string &value) {
        const int32_t color = TextToColor(value);
        if (instance)
            TypInfo::SetOrdProp(instance, propName, color);
    };
    SetMatchTypes(MatchBit(mtPropertyType));
    SetActions(PresetBit(pftEditStyle) | PresetBit(pftValidate));
}
