#pragma once

#include "presets/RSTFilenamePropertyPreset.h"

// The file dialog for every long-string property named "filename".
class TRSFilenamePropPropertyPreset : public TRSTFilenamePropertyPreset
{
public:
    explicit TRSFilenamePropPropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();
};
