#pragma once

#include "inspector/RSPropertyPreset.h"

// Date-and-time rows: values in the locale's formats with a mask, and an
// ellipsis button whose date editor replaces the date and keeps the time.
class TRSTDateTimePropertyPreset : public TRSPropertyPreset
{
public:
    explicit TRSTDateTimePropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();
};
