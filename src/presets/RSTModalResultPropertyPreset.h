#pragma once

#include "inspector/RSPropertyPreset.h"

// Modal-result rows by name: a drop-down list of the eleven results; a
// text not in the list writes nothing.
class TRSTModalResultPropertyPreset : public TRSPropertyPreset
{
public:
    explicit TRSTModalResultPropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();
};
