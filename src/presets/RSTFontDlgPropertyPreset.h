#pragma once

#include "inspector/RSPropertyPreset.h"

// An ellipsis button on font rows that opens the font dialog.
class TRSTFontDlgPropertyPreset : public TRSPropertyPreset
{
public:
    explicit TRSTFontDlgPropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();
};
