#pragma once

#include "inspector/RSPropertyPreset.h"

// An ellipsis button on picture rows that loads a picture file.
class TRSTPicturePropertyPreset : public TRSPropertyPreset
{
public:
    explicit TRSTPicturePropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();
};
