#pragma once

#include "inspector/RSPropertyPreset.h"

// Time rows: values in the locale's time format with a time mask.
class TRSTTimePropertyPreset : public TRSPropertyPreset
{
public:
    explicit TRSTTimePropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();
};
