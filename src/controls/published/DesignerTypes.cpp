#include "controls/published/DesignerTypes.h"

#include <cstdint>

namespace
{

void Ordinal(TTypeInfo &type, TTypeKind kind, const char *name, int64_t min, int64_t max)
{
    type.Kind = kind;
    type.Name = name;
    type.MinValue = min;
    type.MaxValue = max;
}

void Enumeration(TTypeInfo &type, const char *name, std::vector<std::string> names)
{
    Ordinal(type, tkEnumeration, name, 0, static_cast<int64_t>(names.size()) - 1);
    type.Names = std::move(names);
}

void Set(TTypeInfo &type, const char *name, const TTypeInfo &elements)
{
    Ordinal(type, tkSet, name, elements.MinValue, elements.MaxValue);
    type.CompType = &elements;
}

void Text(TTypeInfo &type, const char *name)
{
    type.Kind = tkLString;
    type.Name = name;
}

void Class(TTypeInfo &type, const char *name)
{
    type.Kind = tkClass;
    type.Name = name;
}

} // namespace

TDesignerTypes::TDesignerTypes()
{
    Enumeration(Boolean, "Boolean", {"False", "True"});
    Ordinal(Integer, tkInteger, "Integer", INT32_MIN, INT32_MAX);
    Ordinal(Char, tkChar, "Char", 0, 255);
    Text(String, "String");
    Text(TCaption, "TCaption");
    Text(TComponentName, "TComponentName");
    Text(TImeName, "TImeName");
    Text(TFontName, "TFontName");

    Ordinal(TColor, tkInteger, "TColor", INT32_MIN, INT32_MAX);
    Ordinal(TCursor, tkInteger, "TCursor", -32768, 32767);
    Ordinal(TModalResult, tkInteger, "TModalResult", INT32_MIN, INT32_MAX);
    Ordinal(TTabOrder, tkInteger, "TTabOrder", -1, 32767);
    Ordinal(THelpContext, tkInteger, "THelpContext", -2147483647, 2147483647);
    Ordinal(TBevelWidth, tkInteger, "TBevelWidth", 1, 2147483647);
    Ordinal(TBorderWidth, tkInteger, "TBorderWidth", 0, 2147483647);
    Ordinal(TFontCharset, tkInteger, "TFontCharset", 0, 255);
    Ordinal(TConstraintSize, tkInteger, "TConstraintSize", 0, 2147483647);

    Enumeration(TAlign, "TAlign",
                {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});
    Enumeration(TAlignment, "TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
    // A subrange of TAlignment: its first two elements.
    Ordinal(TLeftRight, tkEnumeration, "TLeftRight", 0, 1);
    TLeftRight.BaseType = &TAlignment;
    Enumeration(TBevelCut, "TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
    Enumeration(TBevelKind, "TBevelKind", {"bkNone", "bkTile", "bkSoft", "bkFlat"});
    Enumeration(
        TBiDiMode, "TBiDiMode",
        {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"});
    Enumeration(TStaticBorderStyle, "TStaticBorderStyle", {"sbsNone", "sbsSingle", "sbsSunken"});
    Enumeration(TBorderStyle, "TBorderStyle", {"bsNone", "bsSingle"});
    Enumeration(TEditCharCase, "TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"});
    Enumeration(TImeMode, "TImeMode",
                {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira",
                 "imSKata", "imKata", "imChinese", "imSHanguel", "imHanguel"});
    Enumeration(TListBoxStyle, "TListBoxStyle",
                {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable", "lbVirtual",
                 "lbVirtualOwnerDraw"});
    Enumeration(
        TComboBoxStyle, "TComboBoxStyle",
        {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"});
    Enumeration(TScrollStyle, "TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
    Enumeration(TCheckBoxState, "TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"});
    Enumeration(TDragKind, "TDragKind", {"dkDrag", "dkDock"});
    Enumeration(TDragMode, "TDragMode", {"dmManual", "dmAutomatic"});
    Enumeration(THelpType, "THelpType", {"htKeyword", "htContext"});
    Enumeration(TControlStatus, "TControlStatus", {"csDefault", "csEdit"});
    Enumeration(TFontPitch, "TFontPitch", {"fpDefault", "fpVariable", "fpFixed"});

    Enumeration(TAnchorKind, "TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"});
    Set(TAnchors, "TAnchors", TAnchorKind);
    Enumeration(TBevelEdge, "TBevelEdge", {"beLeft", "beTop", "beRight", "beBottom"});
    Set(TBevelEdges, "TBevelEdges", TBevelEdge);
    Enumeration(TGridOption, "TGridOption",
                {"goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
                 "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving", "goColMoving",
                 "goEditing", "goTabs", "goRowSelect", "goAlwaysShowEditor", "goThumbTracking"});
    Set(TGridOptions, "TGridOptions", TGridOption);
    Enumeration(TFontStyle, "TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
    Set(TFontStyles, "TFontStyles", TFontStyle);

    Class(TFont, "TFont");
    Class(TSizeConstraints, "TSizeConstraints");
    Class(TStrings, "TStrings");
    Class(TPicture, "TPicture");
    Class(TPopupMenu, "TPopupMenu");
    Class(TBasicAction, "TBasicAction");
    Class(TWinControl, "TWinControl");
}

TDesignerTypes &DesignerTypes()
{
    static TDesignerTypes types;
    return types;
}
