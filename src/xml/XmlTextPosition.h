#pragma once

#include <cstdint>

// A line and a column in a text, counted from its start, both from 1. A
// line ends at "\n", "\r\n" or a lone "\r"; a column counts characters,
// each one byte of the code page. The text may be fed in pieces.
class TXmlTextPosition
{
public:
    // Moves over the characters [begin, end).
    void Advance(const char *begin, const char *end);

    // A position that could not be worked out (the text could not be read
    // again); its line is 0.
    static TXmlTextPosition Unknown();

    int64_t Line() const { return FLine; }
    int64_t Column() const { return FColumn; }

private:
    int64_t FLine = 1;
    int64_t FColumn = 1;
    // The last character was "\r": a "\n" after it ends no second line.
    bool FAfterReturn = false;
};
