#include "controls/FlatFrame.h"

#include <QPainter>
#include <QRect>
#include <algorithm>

void TFlatFrame::Paint(QPainter &painter, const QRect &rect, const QPalette &palette, int width,
                       QPalette::ColorRole fill)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(palette.color(fill));
    for (int i = 1; i < std::max(width, 2); ++i)
        painter.drawRect(rect.adjusted(i, i, -i - 1, -i - 1));
    painter.setPen(palette.color(QPalette::Shadow));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
}
