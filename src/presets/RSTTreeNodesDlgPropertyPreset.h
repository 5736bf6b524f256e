#pragma once

#include "inspector/RSPropertyPreset.h"

// An ellipsis button on tree-nodes rows that opens the tree nodes dialog.
class TRSTTreeNodesDlgPropertyPreset : public TRSPropertyPreset
{
public:
    explicit TRSTTreeNodesDlgPropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();
};
