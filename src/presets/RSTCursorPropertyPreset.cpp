#include "presets/RSTCursorPropertyPreset.h"

#include "presets/RSPresetSupport.h"
#include "reflection/RSConsts.h"
#include "reflection/StrUtils.h"

#include <cstdint>

const TClassInfo *TRSTCursorPropertyPreset::ClassType()
{
    static const TClassInfo *info = RSPresetSupport::DescribePresetClass<TRSTCursorPropertyPreset>(
        "TRSTCursorPropertyPreset", TRSPropertyPreset::ClassType());
    return info;
}

const std::vector<TRSTCursorPropertyPreset::TCursorName> &TRSTCursorPropertyPreset::CursorTable()
{
    static const std::vector<TCursorName> table = {
        {"crDefault", 0},   {"crArrow", -2},      {"crCross", -3},      {"crIBeam", -4},
        {"crSizeNESW", -6}, {"crSizeNS", -7},     {"crSizeNWSE", -8},   {"crSizeWE", -9},
        {"crUpArrow", -10}, {"crHourGlass", -11}, {"crDrag", -12},      {"crNoDrop", -13},
        {"crHSplit", -14},  {"crVSplit", -15},    {"crMultiDrag", -16}, {"crSQLWait", -17},
        {"crNo", -18},      {"crAppStart", -19},  {"crHelp", -20},      {"crHandPoint", -21},
        {"crSizeAll", -22}, {"crSize", -22},
    };
    return table;
}

std::string TRSTCursorPropertyPreset::CursorToText(int cursor)
{
    for (const TCursorName &entry : CursorTable())
        if (entry.Value == cursor)
            return entry.Name;
    return std::to_string(cursor);
}

int TRSTCursorPropertyPreset::TextToCursor(const std::string &text)
{
    for (const TCursorName &entry : CursorTable())
        if (StrUtils::SameText(entry.Name, text))
            return entry.Value;
    const int32_t cursor = RSPresetSupport::ParseInt32Text(text);
    // Cursor identifiers are 16-bit.
    if (cursor < INT16_MIN || cursor > INT16_MAX)
        throw ERSException(RSConsts::SRangeError);
    return cursor;
}

TRSTCursorPropertyPreset::TRSTCursorPropertyPreset(TCollection *collection)
    : TRSPropertyPreset(collection)
{
    SetName("Cursor Drop Down List Property Editor");
    SetTypeKinds(KindBit(tkInteger));
    TypeNames().SetStrings({"TCursor"});
    std::vector<std::string> names = PickList().Strings();
    for (size_t i = 0; i + 1 < CursorTable().size(); ++i)
        names.push_back(CursorTable()[i].Name);
    PickList().SetStrings(names);
    SetEditStyle(esPickList);
    OnGetProperty = [](TRSItemProperty *, TPersistent *instance, const std::string &propName,
                       std::string &value) {
        value = instance ? CursorToText(static_cast<int>(TypInfo::GetOrdProp(instance, propName)))
                         : std::string();
    };
    OnSetProperty = [](TRSItemProperty *, TPersistent *instance, const std::string &propName,
                       const std::string &value) {
        const int cursor = TextToCursor(value);
        if (instance)
            TypInfo::SetOrdProp(instance, propName, cursor);
    };
    SetMatchTypes(MatchBit(mtPropertyType));
    SetActions(PresetBit(pftEditStyle) | PresetBit(pftValidate));
}
