#pragma once

#include "xml/XmlTextPosition.h"

// Input of the parser: a window of bytes over the text, refilled block by
// block. The current character is the byte at Pos while Pos < End; once the
// window is empty after a refill, the source is exhausted.
class TXmlSource
{
public:
    virtual ~TXmlSource() = default;

    bool AtEnd() const { return Pos == End; }
    char Current() const { return *Pos; }
    // Advances by one character; false at the end.
    bool Next()
    {
        if (++Pos != End)
            return true;
        return Fill();
    }
    // Moves to p inside the window (p <= End), refilling at the window end.
    void MoveTo(const char *p)
    {
        Pos = p;
        if (Pos == End)
            Fill();
    }

    // The line and column of the current character. Worked out from the
    // start of the text each time, for error messages only.
    virtual TXmlTextPosition Position() = 0;

    // The window; scanners read it directly.
    const char *Pos = nullptr;
    const char *End = nullptr;

protected:
    // Loads the next block into the window; false (and an empty window)
    // when nothing is left.
    virtual bool Fill() = 0;
};
