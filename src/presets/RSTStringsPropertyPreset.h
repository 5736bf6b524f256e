#pragma once

#include "inspector/RSPropertyPreset.h"

#include <cstdint>

// The views of a string list that the strings editor offers (bit positions).
enum TStringsView : uint8_t { svNormal, svINI };
using TStringsViews = uint32_t;

// An ellipsis button on string-list rows that opens the strings editor and
// writes the edited lines back when it closes with OK.
class TRSTStringsPropertyPreset : public TRSPropertyPreset
{
public:
    explicit TRSTStringsPropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();

    TStringsViews StringsViews() const { return FStringsViews; }
    void SetStringsViews(TStringsViews value);

    void Assign(const TRSPropertyPreset &source) override;

private:
    TStringsViews FStringsViews = 1u << svNormal;
};
