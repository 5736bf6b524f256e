#include "controls/Bevel.h"

#include <QPainter>
#include <QPalette>
#include <QRect>

QMargins TBevel::Margins() const
{
    if (Kind == bkNone)
        return {};
    const int width = (Inner != bvNone) + (Outer != bvNone);
    return {Edges & beLeft ? width : 0, Edges & beTop ? width : 0, Edges & beRight ? width : 0,
            Edges & beBottom ? width : 0};
}

void TBevel::Paint(QPainter &painter, const QRect &rect, const QPalette &palette) const
{
    if (Kind == bkNone)
        return;
    QRect r = rect;
    // The outer cut first, then the inner one a pixel further in.
    for (const bool outer : {true, false}) {
        const int cut = outer ? Outer : Inner;
        if (cut == bvNone)
            continue;
        QColor topLeft, bottomRight;
        if (cut == bvSpace) {
            topLeft = bottomRight = palette.color(QPalette::Button);
        } else if (Kind == bkFlat) {
            topLeft = bottomRight = palette.color(outer ? QPalette::Dark : QPalette::Button);
        } else {
            const bool raised = cut == bvRaised;
            // A soft bevel shades with the middle tones instead of the dark ones.
            const QColor light = palette.color(outer ? QPalette::Light : QPalette::Midlight);
            const QColor dark = Kind == bkSoft
                                    ? palette.color(QPalette::Mid)
                                    : palette.color(outer ? QPalette::Dark : QPalette::Shadow);
            topLeft = raised ? light : dark;
            bottomRight = raised ? dark : light;
        }
        painter.save();
        painter.setPen(Qt::NoPen);
        if (Edges & beLeft)
            painter.fillRect(r.left(), r.top(), 1, r.height(), topLeft);
        if (Edges & beTop)
            painter.fillRect(r.left(), r.top(), r.width(), 1, topLeft);
        if (Edges & beRight)
            painter.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
        if (Edges & beBottom)
            painter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
        painter.restore();
        r.adjust(Edges & beLeft ? 1 : 0, Edges & beTop ? 1 : 0, Edges & beRight ? -1 : 0,
                 Edges & beBottom ? -1 : 0);
    }
}
