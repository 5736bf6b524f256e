#pragma once

#include <cstdint>

class QColor;

// Colour values as the Color properties hold them: 0x00BBGGRR for a plain
// colour, or 0xFF000000 plus an index for a system colour.
namespace ColorValue
{

constexpr int32_t Window = int32_t(0xFF000005);
constexpr int32_t ButtonFace = int32_t(0xFF00000F);

// The colour shown for a value; system colours come from the application
// palette.
QColor ToQColor(int32_t color);

} // namespace ColorValue
