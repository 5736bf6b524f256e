#pragma once

#include "inspector/RSPropertyPreset.h"

// A drop-down list of the components that a component-reference row may refer to,
// drawn in maroon.
class TRSTComponentPropertyPreset : public TRSPropertyPreset
{
public:
    explicit TRSTComponentPropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();
};
