#pragma once

#include "inspector/RSPropertyPreset.h"

// An ellipsis button on collection rows that opens the collection editor.
class TRSTCollectionPropertyPreset : public TRSPropertyPreset
{
public:
    explicit TRSTCollectionPropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();
};
