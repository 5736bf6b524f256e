#pragma once

#include <QMargins>
#include <cstdint>

class QPainter;
class QPalette;
class QRect;

// The bevel an edit-like control draws around itself: which edges carry it,
// the outer and inner cut and the kind of drawing. With kind bkNone nothing
// is drawn and the control keeps all its room.
struct TBevel {
    enum TEdge : uint32_t { beLeft = 1, beTop = 2, beRight = 4, beBottom = 8 };
    enum TCut { bvNone, bvLowered, bvRaised, bvSpace };
    enum TKind { bkNone, bkTile, bkSoft, bkFlat };

    uint32_t Edges = beLeft | beTop | beRight | beBottom;
    int Inner = bvRaised;
    int Outer = bvLowered;
    int Kind = bkNone;

    // One pixel per cut on every edge that carries the bevel.
    QMargins Margins() const;
    // Draws the cuts inside rect, the outer one at its border.
    void Paint(QPainter &painter, const QRect &rect, const QPalette &palette) const;
};
