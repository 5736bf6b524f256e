#pragma once

#include "inspector/RSPropertyPreset.h"

// Draws the rows of a referenced component's properties in green.
class TRSTParentComponentPropertyPreset : public TRSPropertyPreset
{
public:
    explicit TRSTParentComponentPropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();
};
