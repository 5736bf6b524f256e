#pragma once

#include <cstdint>

class QColor;

// Colour values of the Color properties: 0x00BBGGRR for a plain colour, or
// 0xFF000000 plus an index for a system colour taken from the palette.
enum TColorValue : int32_t {
    clBlack = 0x000000,
    clWhite = 0xFFFFFF,
    clNone = 0x1FFFFFFF,
    clWindow = int32_t(0xFF000005),
    clWindowText = int32_t(0xFF000008),
    clBtnFace = int32_t(0xFF00000F),
    clBtnText = int32_t(0xFF000012),
};

// The colour shown for a colour value; system colours come from the
// application palette.
QColor ColorToQColor(int32_t color);
