#pragma once

#include "presets/RSTStringsPropertyPreset.h"

// The Strings property of an inspected value-list or item-list editor opens the
// strings editor in its INI view only.
class TRSTINIStringsPropertyPreset : public TRSTStringsPropertyPreset
{
public:
    explicit TRSTINIStringsPropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();
};
