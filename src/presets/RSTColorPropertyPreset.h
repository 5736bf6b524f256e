#pragma once

#include "inspector/RSPropertyPreset.h"

#include <cstdint>
#include <string>
#include <vector>

// Colour rows by name: a drop-down list of the colour names, values shown
// by name where the table has one and else as "$" with eight hexadecimal
// digits, and a name or an integer text accepted on writing.
class TRSTColorPropertyPreset : public TRSPropertyPreset
{
public:
    struct TColorName {
        const char *Name;
        int32_t Value;
    };

    explicit TRSTColorPropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();

    // The 52 named colours; system colours carry their index in the low byte.
    static const std::vector<TColorName> &ColorTable();
    static std::string ColorToText(int32_t color);
    // A name (any letter case) or an integer text; anything else raises
    // "'%s' is not a valid integer value".
    static int32_t TextToColor(const std::string &text);
};
