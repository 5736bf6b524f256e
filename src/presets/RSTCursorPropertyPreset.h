#pragma once

#include "inspector/RSPropertyPreset.h"

#include <cstdint>
#include <string>
#include <vector>

// Cursor rows by name: a drop-down list of the cursor names, values shown
// by the first name with that value, and a name or an integer text
// accepted on writing.
class TRSTCursorPropertyPreset : public TRSPropertyPreset
{
public:
    struct TCursorName {
        const char *Name;
        int Value;
    };

    explicit TRSTCursorPropertyPreset(TCollection *collection);
    static const TClassInfo *ClassType();

    // The 22 named cursors; the last, an older name of the one before it,
    // is accepted but neither offered nor shown.
    static const std::vector<TCursorName> &CursorTable();
    static std::string CursorToText(int cursor);
    static int TextToCursor(const std::string &text);
};
