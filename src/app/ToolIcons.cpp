#include "app/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace
{

const QColor Ink(0x30, 0x30, 0x30);
const QColor Paper(0xfa, 0xfa, 0xfa);
const QColor Accent(0x2a, 0x6f, 0xb8);

void Sheet(QPainter &p, const QRectF &r)
{
    p.setBrush(Paper);
    p.drawRect(r);
}

void Arrow(QPainter &p, bool back)
{
    QPainterPath path;
    if (back) {
        path.moveTo(18, 18);
        path.cubicTo(18, 8, 12, 7, 6, 9);
    } else {
        path.moveTo(6, 18);
        path.cubicTo(6, 8, 12, 7, 18, 9);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Accent, 2.2));
    p.drawPath(path);
    p.setBrush(Accent);
    p.setPen(Qt::NoPen);
    const QPointF tip = back ? QPointF(4, 9) : QPointF(20, 9);
    const double dx = back ? 5 : -5;
    p.drawPolygon(QPolygonF({tip, {tip.x() + dx, 5}, {tip.x() + dx, 13}}));
}

void Stack(QPainter &p, bool front)
{
    const QRectF back(3, 3, 12, 12);
    const QRectF top(9, 9, 12, 12);
    p.setBrush(front ? Paper : Accent);
    p.drawRect(front ? back : top);
    p.setBrush(front ? Accent : Paper);
    p.drawRect(front ? top : back);
}

} // namespace

QIcon TToolIcons::Icon(const QString &themeName, TGlyph glyph)
{
    return QIcon::fromTheme(themeName, Drawn(glyph));
}

QIcon TToolIcons::Drawn(TGlyph glyph)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Ink, 1.4));
    switch (glyph) {
    case New:
        Sheet(p, {5, 2.5, 14, 19});
        p.setPen(QPen(Accent, 2));
        p.drawLine(QPointF(12, 8), QPointF(12, 16));
        p.drawLine(QPointF(8, 12), QPointF(16, 12));
        break;
    case Open:
        p.setBrush(QColor(0xe8, 0xc0, 0x5a));
        p.drawPolygon(QPolygonF({{2, 6}, {9, 6}, {11, 8}, {21, 8}, {21, 20}, {2, 20}}));
        break;
    case Save:
        p.setBrush(Accent);
        p.drawRect(QRectF(3, 3, 18, 18));
        p.setBrush(Paper);
        p.drawRect(QRectF(7, 3, 10, 6));
        p.drawRect(QRectF(6, 13, 12, 8));
        break;
    case Undo:
        Arrow(p, true);
        break;
    case Redo:
        Arrow(p, false);
        break;
    case Cut:
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(7, 18), 3, 3);
        p.drawEllipse(QPointF(17, 18), 3, 3);
        p.setPen(QPen(Ink, 1.8));
        p.drawLine(QPointF(9, 16), QPointF(17, 3));
        p.drawLine(QPointF(15, 16), QPointF(7, 3));
        break;
    case Copy:
        Sheet(p, {3, 3, 12, 14});
        Sheet(p, {9, 7, 12, 14});
        break;
    case Paste:
        p.setBrush(QColor(0xc8, 0x9a, 0x5a));
        p.drawRect(QRectF(4, 4, 16, 18));
        Sheet(p, {7, 8, 10, 12});
        p.setBrush(Ink);
        p.drawRect(QRectF(9, 2, 6, 4));
        break;
    case Delete:
        p.setPen(QPen(QColor(0xc0, 0x30, 0x30), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
        break;
    case BringToFront:
        Stack(p, true);
        break;
    case SendToBack:
        Stack(p, false);
        break;
    case Alignment:
        p.setPen(QPen(Accent, 2));
        p.drawLine(QPointF(4, 3), QPointF(4, 21));
        p.setPen(QPen(Ink, 1.4));
        p.setBrush(Paper);
        p.drawRect(QRectF(6, 5, 14, 5));
        p.drawRect(QRectF(6, 14, 9, 5));
        break;
    case Preview:
        Sheet(p, {4, 2.5, 14, 19});
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Accent, 2));
        p.drawEllipse(QPointF(13, 13), 4, 4);
        p.drawLine(QPointF(16, 16), QPointF(21, 21));
        break;
    case Html:
        p.setPen(QPen(Accent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({{8, 6}, {3, 12}, {8, 18}}));
        p.drawPolyline(QPolygonF({{16, 6}, {21, 12}, {16, 18}}));
        p.setPen(QPen(Ink, 1.6));
        p.drawLine(QPointF(14, 5), QPointF(10, 19));
        break;
    }
    p.end();
    return QIcon(pixmap);
}
