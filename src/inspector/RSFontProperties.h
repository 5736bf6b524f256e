#pragma once

#include "reflection/Persistent.h"

class TRSFont;
struct TClassInfo;
struct TTypeInfo;

// The published face of a font of the property grid (a preset's Font and
// ValueFont): its colour, name, size and style, as a font property of a
// designed control shows them, read and written straight through to the
// font.
class TRSFontProperties : public TPersistent
{
public:
    explicit TRSFontProperties(TRSFont &font) : FFont(font) {}

    TRSFont &Font() { return FFont; }
    // Copies the attributes of another published font.
    void Assign(const TRSFontProperties &source);

    static const TClassInfo *ClassType();
    // The type of a property holding such a font: its name is "TFont".
    static const TTypeInfo &PropertyType();

private:
    TRSFont &FFont;
};
