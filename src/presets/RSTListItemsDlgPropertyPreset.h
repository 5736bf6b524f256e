#pragma once

#include "inspector/RSPropertyPreset.h"

// An ellipsis button on list-items rows that opens the list items dialog.
class TRSTListItemsDlgPropertyPreset : public TRSPropertyPreset
{
public:
    explicit TRSTListItemsDlgPropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();
};
