#pragma once

#include "reflection/TypInfo.h"

// The type descriptions of the published properties of the designed
// controls and their sub-objects. Class-kind types name their class once the
// designer's classes are registered.
struct TDesignerTypes {
    // Ordinal and text types.
    TTypeInfo Boolean, Integer, Char, String;
    TTypeInfo TCaption, TComponentName, TImeName, TFontName;
    TTypeInfo TColor, TCursor, TModalResult, TTabOrder, THelpContext, TBevelWidth, TBorderWidth;
    TTypeInfo TFontCharset, TConstraintSize;
    // Enumerations.
    TTypeInfo TAlign, TAlignment, TLeftRight, TBevelCut, TBevelKind, TBiDiMode;
    TTypeInfo TStaticBorderStyle, TBorderStyle, TEditCharCase, TImeMode, TListBoxStyle;
    TTypeInfo TComboBoxStyle, TScrollStyle, TCheckBoxState, TDragKind, TDragMode, THelpType;
    TTypeInfo TControlStatus, TFontPitch;
    // Sets and their element enumerations.
    TTypeInfo TAnchorKind, TAnchors, TBevelEdge, TBevelEdges, TGridOption, TGridOptions;
    TTypeInfo TFontStyle, TFontStyles;
    // Class kinds.
    TTypeInfo TFont, TSizeConstraints, TStrings, TPicture, TPopupMenu, TBasicAction, TWinControl;

    TDesignerTypes();
};

// The one set of type descriptions.
TDesignerTypes &DesignerTypes();
