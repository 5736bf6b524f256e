#pragma once

#include "inspector/RSPropertyPreset.h"

// Date rows: values in the locale's short date format, a date mask, and an
// ellipsis button that opens the date editor.
class TRSTDatePropertyPreset : public TRSPropertyPreset
{
public:
    explicit TRSTDatePropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();
};
