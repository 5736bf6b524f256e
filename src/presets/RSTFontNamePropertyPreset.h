#pragma once

#include "inspector/RSPropertyPreset.h"

// A drop-down list of the fonts installed on the system for font-name rows.
class TRSTFontNamePropertyPreset : public TRSPropertyPreset
{
public:
    explicit TRSTFontNamePropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();
};
