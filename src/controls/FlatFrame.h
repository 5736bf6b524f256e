#pragma once

#include <QPalette>

class QPainter;
class QRect;

// The flat border a control without 3D look shows in place of the style's
// sunken frame: one line in the shadow colour, the rest of the frame's width
// (at least one line, hiding the style's inner shading) in the given fill role.
struct TFlatFrame {
    static void Paint(QPainter &painter, const QRect &rect, const QPalette &palette, int width,
                      QPalette::ColorRole fill = QPalette::Base);
};
