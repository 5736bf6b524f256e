#pragma once

#include <Qt>

// Cursor identifiers of designed controls (the values their Cursor property
// holds) and their Qt shapes.
enum TCursorValue : short {
    crDefault = 0,
    crNone = -1,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeNESW = -6,
    crSizeNS = -7,
    crSizeNWSE = -8,
    crSizeWE = -9,
    crUpArrow = -10,
    crHourGlass = -11,
    crDrag = -12,
    crNoDrop = -13,
    crHSplit = -14,
    crVSplit = -15,
    crMultiDrag = -16,
    crSQLWait = -17,
    crNo = -18,
    crAppStart = -19,
    crHelp = -20,
    crHandPoint = -21,
    crSizeAll = -22,
};

// The Qt shape shown for a cursor value; unknown values show the arrow.
Qt::CursorShape CursorShapeOf(int cursor);
